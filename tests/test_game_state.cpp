// The progress record byte by byte (the slot tests read cells and sessions in real
// files).
#include <gtest/gtest.h>

#include <cstring>

#include "core/bytes.h"
#include "game/game_state.h"

namespace {

int32_t Le32_At(const uint8_t* p, size_t at) {
    return static_cast<int32_t>(Get_Le32(p + at));
}

TEST(Records, ProgressFieldsSitAtTheirFileOffsets) {
    Game_Progress g;
    std::memset(&g, 0, sizeof g);
    std::strcpy(g.Player_Name, "Иоанн");
    g.Book_Read[0] = 1;
    g.Book_Read[65] = 1;
    const size_t offsets[] = {98,  102, 106, 110, 242, 246, 250, 254, 258, 262,
                              266, 270, 274, 278, 282, 286, 290, 294, 298, 302};
    // The packed fields are unaligned: set them by value, never through pointers.
    int32_t v = 1000;
    g.Game_Over = v++, g.Book_Done = v++, g.Session_End = v++, g.Book_Index = v++;
    g.Chapter = v++, g.Verse = v++, g.Letters = v++, g.Chapters_Back = v++;
    g.Session_Number = v++, g.Store_Sessions = v++, g.Store_Verses = v++;
    g.Store_Letters = v++, g.Store_Points = v++, g.Store_Rows = v++, g.Store_Blocks = v++;
    g.Ses_Points = v++, g.Ses_Blocks = v++, g.Ses_Rows = v++, g.Ses_Letters = v++;
    g.Ses_Verses = v++;
    g.Store_Points = -77;  // penalties can make the storage negative
    std::strcpy(g.Book_Title, "Бытие");
    g.Ses_Start = 0x0102030405060708LL;
    g.Game_Id = 0xEE00000000000001ULL;

    uint8_t bytes[322];
    Progress_Write(g, bytes);
    EXPECT_EQ(bytes[0], 0xC8);  // И
    EXPECT_EQ(bytes[32], 1);
    EXPECT_EQ(bytes[97], 1);
    EXPECT_EQ(bytes[114], 0xC1);  // Б
    for (size_t i = 0; i < std::size(offsets); ++i) {
        const int32_t expected = offsets[i] == 274 ? -77 : 1000 + static_cast<int32_t>(i);
        EXPECT_EQ(Le32_At(bytes, offsets[i]), expected) << "field at " << offsets[i];
    }
    EXPECT_EQ(bytes[306], 0x08);
    EXPECT_EQ(bytes[313], 0x01);
    EXPECT_EQ(bytes[321], 0xEE);

    Game_Progress back;
    Progress_Read(bytes, &back);
    EXPECT_EQ(std::memcmp(&back, &g, sizeof g), 0);
}

TEST(Records, ProgressReadTerminatesTheNameAndTitle) {
    uint8_t bytes[322];
    std::memset(bytes, 'x', sizeof bytes);
    Game_Progress g;
    Progress_Read(bytes, &g);
    EXPECT_EQ(std::strlen(g.Player_Name), 31u);
    EXPECT_EQ(std::strlen(g.Book_Title), 127u);
}

}  // namespace
