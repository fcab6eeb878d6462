// Cluster notices (114): shown and/or journaled by their flags and the session access level; short
// notices dropped.

#include "LinkFixture.h"

#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "core/ByteReader.h"
#include "link/ClusterNotice.h"
#include "support/ScratchFolder.h"

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

class ClusterNoticeTest : public LinkFixture {
protected:
    ClusterNoticeTest() { journal::startNewFile(program().journalFilePath); }
    ~ClusterNoticeTest() override { program().accessLevel = savedLevel; }

    QString journalText() const {
        const QByteArray bytes = folder.read(QStringLiteral("arch.res"));
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    }
    int journalLines() const { return static_cast<int>(journalText().count(QStringLiteral("\r\n"))); }

    ScratchFolder folder;
    int savedLevel = program().accessLevel;
};

} // namespace

TEST_F(ClusterNoticeTest, FlagsByAccessLevel) {
    struct Case {
        std::uint32_t flags;
        int level;
        bool shown;
        bool journaled;
    };
    const Case cases[] = {
        {0, 0, false, true},  {1, 0, false, true},  {2, 0, false, true}, {3, 0, false, true},
        {0, 1, false, false}, {1, 1, true, false},  {2, 1, false, true}, {3, 1, true, true},
        {0, 3, false, false}, {1, 3, true, false},  {2, 3, false, true}, {3, 3, true, true},
        {0xFFFFFFFC, 2, false, false},
    };
    const QString text = QStringLiteral("Питание 12В");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << ", level " << c.level);
        observer.clear();
        const int linesBefore = journalLines();
        program().accessLevel = c.level;
        connection().feed(frames::notice(c.flags, text));
        EXPECT_EQ(observer.notices.size(), c.shown ? 1 : 0);
        EXPECT_EQ(observer.lines.size(), c.shown ? 1 : 0);
        EXPECT_EQ(journalLines() - linesBefore, c.journaled ? 1 : 0);
    }
}

TEST_F(ClusterNoticeTest, ShownNoticeTextsAndLogLine) {
    program().accessLevel = AccessOperator;
    const int second = addCluster();
    connection(second).feed(frames::notice(3, QStringLiteral("Открыта дверь")));
    ASSERT_EQ(observer.notices.size(), 1);
    EXPECT_EQ(observer.notices[0].cluster, second);
    EXPECT_EQ(observer.notices[0].title, QStringLiteral("Сообщение Кластера 2"));
    EXPECT_EQ(observer.notices[0].text, QStringLiteral("Открыта дверь"));
    ASSERT_EQ(observer.lines.size(), 1);
    EXPECT_EQ(observer.lines[0].text, QStringLiteral("Сообщение Кластера 2: Открыта дверь"));
    EXPECT_TRUE(observer.lines[0].bold);
    EXPECT_EQ(observer.lines[0].colour, QColor(255, 0, 255));
    EXPECT_TRUE(journalText().contains(QStringLiteral("|e060|Открыта дверь\r\n")));
}

TEST_F(ClusterNoticeTest, ShortNoticesAreDroppedAndOtherCharacterSizesReadAsUtf16) {
    program().accessLevel = AccessOperator;
    QByteArray payload = frames::noticePayload(1, QStringLiteral("abc"));
    for (int size : {0, 11, 12, 17}) {
        connection().feed(frames::clusterFrame(114, payload.left(size)));
        EXPECT_TRUE(observer.notices.isEmpty()) << size;
    }
    // A length field far beyond the payload.
    QByteArray huge = payload;
    storeLE(huge.data(), 4, 0xFFFFFFF0u);
    connection().feed(frames::clusterFrame(114, huge));
    EXPECT_TRUE(observer.notices.isEmpty());

    connection().feed(frames::clusterFrame(114, frames::noticePayload(1, QStringLiteral("abc"), 1)));
    ASSERT_EQ(observer.notices.size(), 1);
    EXPECT_EQ(observer.notices[0].text, QStringLiteral("abc"));

    ASSERT_TRUE(decodeClusterNotice(payload).has_value());
    QByteArray odd = payload;
    storeLE(odd.data(), 4, 5u); // an odd byte count: two whole characters
    EXPECT_EQ(decodeClusterNotice(odd)->text, QStringLiteral("ab"));
}
