#include "demo/SubsystemLibrary.h"

#include <QDir>

namespace kalver::demo {

SubsystemLibrary::SubsystemLibrary(QString folder) : m_folder(std::move(folder)) {
    if (!m_folder.isEmpty() && !m_folder.endsWith(u'/'))
        m_folder += u'/';
}

const SubsystemFile* SubsystemLibrary::find(const QString& key, const QString& typeKey) {
    const qsizetype separator = key.indexOf(u'\\');
    if (m_folder.isEmpty() || separator < 0 || key.left(separator) != typeKey)
        return nullptr;
    const QString name = key.mid(separator + 1);
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(0)) ||
        name.startsWith(u'.') || !name.endsWith(QLatin1String(".sub")))
        return nullptr;

    if (const auto cached = m_files.find(key); cached != m_files.end())
        return &cached->second;
    const std::optional<SubsystemFile> file = SubsystemFile::read(m_folder + typeKey + u'/' + name);
    if (!file || !file->checkPassed())
        return nullptr;
    return &m_files.emplace(key, *file).first->second;
}

} // namespace kalver::demo
