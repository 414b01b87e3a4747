#include "system/StartupShortcut.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace luma::test {
namespace {

struct Shortcut : testing::Test {
    FakePlatform fakes;
    std::unique_ptr<Program> program;
    void makeProgram(const QString& folder) {
        PlatformServices services = fakes.make();
        services.programFolder = folder;
        program = std::make_unique<Program>(std::move(services));
    }
};

TEST_F(Shortcut, CreateCallsTheServiceWithTheFixedArguments) {
    makeProgram(QStringLiteral("/opt/My Apps/Show"));
    createStartupShortcut(*program);
    ASSERT_EQ(fakes.shortcuts->calls.size(), 1u);
    const auto& call = fakes.shortcuts->calls[0];
    EXPECT_EQ(call.operation, u"create");
    EXPECT_EQ(call.folder, u"..\\..\\Start Menu\\Programs\\StartUp");
    EXPECT_EQ(call.linkName, u"LumaS");
    EXPECT_EQ(call.target, u"/opt/My Apps/Show/lumafolio11.scr");
    EXPECT_TRUE(call.arguments.isEmpty());
    EXPECT_EQ(call.perUser, -1);
    EXPECT_EQ(call.parent, u"$(Programs)");
}

TEST_F(Shortcut, ARootProgramFolderDoublesTheSeparator) {
    makeProgram(QStringLiteral("/"));
    createStartupShortcut(*program);
    EXPECT_EQ(fakes.shortcuts->calls[0].target, u"//lumafolio11.scr");
}

TEST_F(Shortcut, RemoveCallsTheServiceWithFolderAndName) {
    makeProgram(QStringLiteral("/opt/show"));
    removeStartupShortcut(*program);
    ASSERT_EQ(fakes.shortcuts->calls.size(), 1u);
    EXPECT_EQ(fakes.shortcuts->calls[0].operation, u"remove");
    EXPECT_EQ(fakes.shortcuts->calls[0].folder, u"..\\..\\Start Menu\\Programs\\StartUp");
    EXPECT_EQ(fakes.shortcuts->calls[0].linkName, u"LumaS");
}

}  // namespace
}  // namespace luma::test
