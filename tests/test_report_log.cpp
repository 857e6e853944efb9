// The run log: header shape, replacement at every start, messages as formatted.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/report_log.h"

namespace {

std::string Read_All(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Report_Log_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("veltran_log_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        Report_Close_For_Test();
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_, old_;
};

TEST_F(Report_Log_Test, TimeTextPutsMillisecondsBeforeTheYear) {
    setenv("TZ", "UTC", 1);
    tzset();
    char text[64];
    // 2026-12-06 02:16:23 UTC, a Sunday.
    Report_Time_Text(1796523383LL, 7, text, sizeof text);
    EXPECT_STREQ(text, "Sun Dec  6 02:16:23.7, 2026\n");
    Report_Time_Text(0, 123, text, sizeof text);
    EXPECT_STREQ(text, "Thu Jan  1 00:00:00.123, 1970\n");
}

TEST_F(Report_Log_Test, NothingIsWrittenBeforeTheLogIsOpen) {
    EXPECT_EQ(Report_Log("\n early"), 0);
    EXPECT_FALSE(std::filesystem::exists("Report.txt"));
}

TEST_F(Report_Log_Test, HeaderComesFirstAndMessagesFollowUnchanged) {
    ASSERT_EQ(Report_Open(), 1);
    EXPECT_EQ(Report_Log("\n file %s", "100%d.bmp"), 1);
    EXPECT_EQ(Report_Log(nullptr), 0);
    std::string log = Read_All("Report.txt");
    const std::string head = "\nФайл отчета (Report.txt) открыт в ";
    ASSERT_EQ(log.compare(0, head.size(), head), 0);
    size_t header_end = log.find("\n\n", head.size());
    ASSERT_NE(header_end, std::string::npos);
    // The per-cent sign of the argument is written as it stands.
    EXPECT_EQ(log.substr(header_end + 2), "\n file 100%d.bmp");
}

TEST_F(Report_Log_Test, EveryCallIsOnDiskAtOnce) {
    ASSERT_EQ(Report_Open(), 1);
    size_t before = Read_All("Report.txt").size();
    Report_Log("\n step");
    EXPECT_EQ(Read_All("Report.txt").size(), before + 6);
}

TEST_F(Report_Log_Test, ASecondStartReplacesTheOldLog) {
    ASSERT_EQ(Report_Open(), 1);
    Report_Log("\n first run only");
    Report_Close_For_Test();
    ASSERT_EQ(Report_Open(), 1);
    EXPECT_EQ(Read_All("Report.txt").find("first run only"), std::string::npos);
}

TEST_F(Report_Log_Test, LongMessagesAreCutAt511Bytes) {
    ASSERT_EQ(Report_Open(), 1);
    size_t before = Read_All("Report.txt").size();
    std::string big(2000, 'x');
    Report_Log("%s", big.c_str());
    EXPECT_EQ(Read_All("Report.txt").size(), before + 511);
}

}  // namespace
