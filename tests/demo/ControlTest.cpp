#include "demo/ControlCommands.h"
#include "demo/Faults.h"

#include <gtest/gtest.h>

using namespace kalver::demo;

TEST(Faults, EverySwitchIsSetAndDescribedByItsName) {
    struct Case { QString assignment; QString described; };
    const Case cases[] = {
        {"silent", "silent"}, {"refuse-permission=on", "refuse-permission"}, {"slow-ack", "slow-ack=35"},
        {"slow-ack=3", "slow-ack=3"}, {"refuse-catalogue=1", "refuse-catalogue"},
        {"refuse-subsystem=true", "refuse-subsystem"}, {"save-error", "save-error"},
        {"shuffle-chunks", "shuffle-chunks"}, {"stubborn=all", "stubborn=all"},
        {"stubborn=12,5", "stubborn=5,12"}, {"malformed=magic", "malformed=magic"},
        {"malformed=code", "malformed=code"}, {"malformed=short", "malformed=short"},
        {"reset-after=2", "reset-after=2"}, {"sync-error", "sync-error"}, {"sync-unknown", "sync-unknown"},
    };
    for (const Case& c : cases) {
        Faults f;
        EXPECT_EQ(applyFault(f, c.assignment), QString()) << c.assignment.toStdString();
        EXPECT_EQ(describeFaults(f), QStringList{c.described}) << c.assignment.toStdString();
    }
}

TEST(Faults, SwitchesGoOffAgainAndNonsenseIsRefused) {
    Faults f;
    applyFault(f, "silent");
    applyFault(f, "slow-ack=9");
    applyFault(f, "stubborn=7");
    applyFault(f, "malformed=short");
    EXPECT_TRUE(f.isStubborn(7));
    EXPECT_FALSE(f.isStubborn(8));
    for (const char* off : {"silent=off", "slow-ack=0", "stubborn=none", "malformed=off"})
        EXPECT_EQ(applyFault(f, off), QString());
    EXPECT_TRUE(describeFaults(f).isEmpty());

    for (const char* wrong : {"loud", "silent=maybe", "slow-ack=-1", "slow-ack=x", "stubborn=1,x", "malformed=long"}) {
        EXPECT_NE(applyFault(f, wrong), QString()) << wrong;
    }
    EXPECT_TRUE(describeFaults(f).isEmpty()) << "a refused assignment changes nothing";
}

TEST(ControlCommands, CommandsActOnOneRackOrOnAll) {
    Rack one(1, {11, 12}, 1, nullptr);
    Rack two(2, {21}, 1, nullptr);
    int resets = 0;
    bool quit = false;
    ControlCommands control({&one, &two}, {[&](Rack&) { ++resets; }, [](Rack&) { return QStringLiteral("here"); },
                                           [&] { quit = true; }});

    EXPECT_EQ(control.execute("rack 2 fault silent on"), QStringList{"ok"});
    EXPECT_FALSE(one.faults.silent);
    EXPECT_TRUE(two.faults.silent);
    EXPECT_EQ(control.execute("fault slow-ack 4"), QStringList{"ok"});
    EXPECT_EQ(one.faults.slowAckSeconds, 4);
    EXPECT_EQ(two.faults.slowAckSeconds, 4);
    EXPECT_EQ(control.execute("status"),
              (QStringList{"rack 1 here stations 2 faults slow-ack=4", "rack 2 here stations 1 faults silent slow-ack=4", "ok"}));
    EXPECT_EQ(control.execute("rack 1 clear"), QStringList{"ok"});
    EXPECT_EQ(one.faults.slowAckSeconds, 0);

    EXPECT_EQ(control.execute("reset"), QStringList{"ok"});
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(control.execute("rack 1 stations"), (QStringList{"rack 1: 11 12", "ok"}));
    EXPECT_EQ(control.execute("poweroff 12"), QStringList{"ok"});
    EXPECT_EQ(control.execute("stations"), (QStringList{"rack 1: 11", "rack 2: 21", "ok"}));
    EXPECT_EQ(control.execute("rack 2 notice 3   Проверка  связи"), QStringList{"ok"});
    const QList<QByteArray> notices = two.takeNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0], Rack::noticePayload(3, QStringLiteral("Проверка  связи")));
    EXPECT_EQ(control.execute("quit"), QStringList{"ok"});
    EXPECT_TRUE(quit);

    for (const char* wrong : {"", "rack 3 status", "rack x status", "fault", "fault loud", "notice x y", "jump"}) {
        const QStringList answer = control.execute(wrong);
        ASSERT_EQ(answer.size(), 1) << wrong;
        EXPECT_TRUE(answer[0].startsWith("error: ")) << wrong;
    }
}

TEST(ControlCommands, SetChangesWhatTheStatusBlockReports) {
    Rack rack(1, {11}, 1, nullptr);
    ControlCommands control({&rack}, {});
    Station& s = *rack.findStation(11);
    struct Case { const char* command; std::function<bool()> holds; };
    const Case cases[] = {
        {"set 11 charge 42.5", [&] { return s.charge == 42.5; }},
        {"set 11 charger off", [&] { return !s.chargerWorks && !s.charging; }},
        {"set 11 pressure -1", [&] { return !s.pressureKnown; }},
        {"set 11 pressure 98000", [&] { return s.pressureKnown && s.pressure == 98000; }},
        {"set 11 drift -1500", [&] { return s.driftUs == -1500; }},
        {"set 11 interface-errors 0x200", [&] { return s.interfaceErrors == 0x200; }},
        {"set 11 recorder-errors 1", [&] { return s.recorderErrors == 1; }},
        {"set 11 registration 5", [&] { return s.registrationState == 5; }},
        {"set 11 tuning-state 2", [&] { return s.tuningState == 2 && rack.anyStationTuning(); }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(control.execute(c.command), QStringList{"ok"}) << c.command;
        EXPECT_TRUE(c.holds()) << c.command;
    }
    for (const char* wrong : {"set 99 charge 1", "set 11 charge 101", "set 11 colour red", "set 11 registration 16",
                              "set 11 tuning-state 100", "set 11 charge"}) {
        EXPECT_TRUE(control.execute(wrong).value(0).startsWith("error: ")) << wrong;
    }
}
