// Replays fuzz inputs without libFuzzer: every file named on the command line, and every file in every
// folder named there, is fed once to LLVMFuzzerTestOneInput. A crash or a sanitizer report fails the
// test; a run that found no input at all fails too, so a misplaced seed folder is noticed.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {
bool replay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::printf("replay %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QFileInfo info(arg);
        if (info.isDir()) {
            const QFileInfoList files = QDir(arg).entryInfoList(QDir::Files, QDir::Name);
            for (const QFileInfo& f : files)
                inputs += replay(f.filePath()) ? 1 : 0;
        } else if (replay(arg)) {
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
