// libFuzzer target: any bytes as a player's reading record must be read and
// checked, or refused, without reading past them; what is taken holds only
// chapters of the Bible, each completion once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "records/reading.h"
#include "scripture/bible_shape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reading_Record record;
    std::string why;
    if (Reading_Bytes_Read(data, size, &record, &why) != Reading_Read_Result::Ok) {
        if (why.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    if (size != sizeof(Reading_Head) + sizeof(Reading_Entry) * record.done.size()) std::abort();
    std::set<std::pair<uint64_t, int32_t>> seen;
    for (const Reading_Entry& e : record.done)
        if (Bible_Chapter_Index(e.book, e.chapter) < 0 || !seen.insert({e.game, e.session}).second)
            std::abort();
    const Reading_Summary sum =
        Reading_Summarize(record, record.done.empty() ? 0 : record.done[0].game);
    if (sum.chapters > Bible_Chapter_Total || sum.verses > Bible_Verse_Total || sum.books > 66)
        std::abort();
    return 0;
}
