// The run log: header shape, replacement at every start, messages as formatted.
#include <gtest/gtest.h>

#include "test_host.h"

#include <cstdlib>
#include <filesystem>

#include "core/report_log.h"
#include "scratch_cwd.h"

namespace {

TEST(Report_Log, TimeTextPutsMillisecondsBeforeTheYear) {
    Test_Set_Env("TZ", "UTC");
    tzset();
    char text[64];
    // 2026-12-06 02:16:23 UTC, a Sunday.
    Report_Time_Text(1796523383LL, 7, text, sizeof text);
    EXPECT_STREQ(text, "Sun Dec  6 02:16:23.7, 2026\n");
    Report_Time_Text(0, 123, text, sizeof text);
    EXPECT_STREQ(text, "Thu Jan  1 00:00:00.123, 1970\n");
}

// Nothing before it is open; then the header, and each message on disk at once,
// as formatted (a per-cent sign in an argument stands as it is), cut at 511 bytes.
TEST(Report_Log, HeaderFirstThenEveryMessageOnDiskAtOnce) {
    Scratch_Cwd cwd;
    EXPECT_EQ(Report_Log("\n early"), 0);
    EXPECT_FALSE(std::filesystem::exists("Report.txt"));
    ASSERT_EQ(Report_Open(), 1);
    const std::string head = "\nФайл отчета (Report.txt) открыт в ";
    ASSERT_EQ(cwd.Read("Report.txt").compare(0, head.size(), head), 0);
    EXPECT_EQ(Report_Log("\n file %s", "100%d.bmp"), 1);
    EXPECT_EQ(Report_Log(nullptr), 0);
    EXPECT_EQ(cwd.Log(), "\n file 100%d.bmp");
    Report_Log("%s", std::string(2000, 'x').c_str());
    EXPECT_EQ(cwd.Log().size(), 16u + 511u);
    // A second start replaces the old log.
    ASSERT_EQ(Report_Open(), 1);
    EXPECT_EQ(cwd.Read("Report.txt").find("100%d"), std::string::npos);
}

}  // namespace
