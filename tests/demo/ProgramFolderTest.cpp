// The demonstration cluster's program folder follows the path it was started by.

#include "demo/ProgramFolder.h"

#include <gtest/gtest.h>

using kalver::demo::demoProgramFolder;

TEST(DemoProgramFolder, IsTheParentOfTheFolderOfTheStartingPath) {
    struct Case {
        const char* startedAs;
        const char* startFolder;
        const char* expected;
    };
    const Case cases[] = {
        // Started by the client: the absolute path in the program folder (a link or the executable).
        {"/var/lib/kalver-client/DemoServer/Kalver DemoServer", "/var/lib/kalver-client/DemoServer",
         "/var/lib/kalver-client/"},
        // Started by hand from its own folder, or from the program folder.
        {"./Kalver DemoServer", "/home/op/program/DemoServer", "/home/op/program/"},
        {"DemoServer/Kalver DemoServer", "/home/op/program", "/home/op/program/"},
        {"../DemoServer/Kalver DemoServer", "/home/op/program/Charge", "/home/op/program/"},
        // Found through PATH: only the executable's own folder is known.
        {"Kalver DemoServer", "/home/op", "/opt/kalver-client/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(demoProgramFolder(QString::fromUtf8(c.startedAs), QString::fromUtf8(c.startFolder),
                                    QStringLiteral("/opt/kalver-client/DemoServer")),
                  QString::fromUtf8(c.expected))
            << c.startedAs;
}
