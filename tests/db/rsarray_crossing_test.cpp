// A long project list in many scripts, read by the database object itself and by
// another library through the binary boundary: both read every row the table holds,
// text for text.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "db_fixture.h"
#include "util/interfaces/IclsDbADO_bridge.h"

namespace dbtest {
namespace {

using Row = std::tuple<std::string, std::string, std::string, std::string>;  // number, name, folder, active

class LongList : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        if (IsSkipped()) return;
        // Names in Latin, Greek, CJK and outside the basic plane (two UTF-16 units
        // each), beside plain ASCII; folders empty now and then; one in seven inactive.
        static const char* const names[] = {"Zürich Hall", "Ωμέγα depot", "東京 tower", "Garden 🌳 works",
                                            "plain", "Ça va", ""};
        for (int i = 0; i < 1200; ++i) {
            const std::string number = "N-" + std::to_string(10000 + i);
            const std::string name = std::string(names[i % 7]) + " " + std::to_string(i);
            const std::string folder = i % 5 == 0 ? "" : "P:\\Projekte\\" + name + "\\";
            const bool active = i % 7 != 3;
            projects.push_back({number, name, folder, active});
            if (active) expected.emplace_back(number, name, folder, "True");
        }
        MakeDatabase(projects);
        std::sort(expected.begin(), expected.end());
    }

    // The rows of a project list, sorted, with the identifiers left out (the database
    // gives those); every identifier must be a number.
    static std::vector<Row> Rows(const QueryResult& list) {
        std::vector<Row> rows;
        for (size_t r = 0; r < list.Rows(); ++r) {
            EXPECT_FALSE(list(4, r).empty());
            EXPECT_EQ(list(4, r).find_first_not_of("0123456789"), std::string_view::npos);
            rows.emplace_back(list(0, r), list(1, r), list(2, r), list(3, r));
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    std::vector<dbtool::ProjectRecord> projects;
    std::vector<Row> expected;
};

TEST_P(LongList, EveryRowAndEveryTextCrossesTheBoundaryUnchanged) {
    // More cells than one block of the recordset holds, so its values span blocks.
    const QueryResult direct = MakeDb()->GetRSArray(kListSql);
    ASSERT_EQ(direct.Columns(), 5u);
    ASSERT_GT(direct.Columns() * direct.Rows(), 4096u);
    EXPECT_EQ(Rows(direct), expected);

    iclsdbado::Proxy across(platform::com::Adapter<iclsdbado::Table>::Wrap(MakeDb()));
    const QueryResult crossed = across.GetRSArray(kListSql);
    EXPECT_EQ(crossed, direct);  // the same order too
    EXPECT_EQ(Rows(crossed), expected);
    // The texts are held once, side by side: no more bytes than their UTF-8 needs,
    // beside the cells' places and the block's three sizes and byte of padding.
    size_t bytes = 0;
    for (size_t c = 0; c < crossed.Columns(); ++c)
        for (size_t r = 0; r < crossed.Rows(); ++r) bytes += crossed(c, r).size();
    EXPECT_LE(crossed.MemoryBytes(), bytes + crossed.Columns() * crossed.Rows() * 8 + 13);
}

// The database object as another library's would serve it: the published interface
// alone, without the companion.
struct PublishedOnly : iclsdbado::Table {};

TEST_P(LongList, AnObjectWithoutTheCompanionGivesTheSameArrayAsOneWithIt) {
    // The project's own stand-in takes the packed companion where the object answers
    // it, and the published member's array of texts where it does not.
    namespace com = platform::com;
    iclsdbado::Proxy published(com::Adapter<PublishedOnly>::Wrap(MakeDb()));
    iclsdbado::Proxy packed(com::Adapter<iclsdbado::Table>::Wrap(MakeDb()));
    const QueryResult list = published.GetRSArray(kListSql);
    EXPECT_EQ(packed.GetRSArray(kListSql), list);
    EXPECT_EQ(Rows(list), expected);
}

TEST_P(LongList, AnEmptyResultCrossesAsNoArray) {
    iclsdbado::Proxy across(platform::com::Adapter<iclsdbado::Table>::Wrap(MakeDb()));
    EXPECT_TRUE(across.GetRSArray("SELECT [Project Number] FROM Project WHERE [Project Number] = 'none'; ").empty());
    const QueryResult one = across.GetRSArray("SELECT [Project Name] FROM Project WHERE [Project Number] = 'N-10002'");
    ASSERT_EQ(one.Rows(), 1u);
    EXPECT_EQ(one(0, 0), "東京 tower 2");
}

DB_TEST_BOTH_PROVIDERS(LongList);

TEST(PackedArray, TextsOfAnyLengthComeBackAsTheyWere) {
    // An odd number of text bytes leaves the carrying BSTR one byte of padding.
    for (const char* last : {"", "x", "xy", "Ωμέγα"}) {
        QueryResult array(2, 2);
        array.Set(0, 0, "12-0001");
        array.Set(1, 0, "東京 tower");
        array.Set(0, 1, "");
        array.Set(1, 1, last);
        PackedQueryResult packed{array};
        platform::com::abi::BSTR raw = nullptr;
        platform::com::Returned<PackedQueryResult>::Put(packed, &raw);
        EXPECT_EQ(platform::com::Returned<PackedQueryResult>::Take(raw).value, array) << last;
    }
    platform::com::abi::BSTR none = nullptr;
    platform::com::Returned<PackedQueryResult>::Put(PackedQueryResult{QueryResult()}, &none);
    EXPECT_EQ(none, nullptr);
}

TEST(PackedArray, ABlockThatDoesNotAddUpGivesNoArray) {
    QueryResult array(1, 2);
    array.Set(0, 0, "first");
    array.Set(0, 1, "second");
    std::string block(array.PackedSize(), '\0');
    array.PackInto(block.data());
    EXPECT_EQ(QueryResult::Unpack(block), array);
    EXPECT_TRUE(QueryResult::Unpack(block.substr(0, block.size() - 1)).empty());  // cut short
    EXPECT_TRUE(QueryResult::Unpack(block + "ab").empty());                       // too long
    EXPECT_TRUE(QueryResult::Unpack(block.substr(0, 5)).empty());                 // not even the sizes
    std::string outside = block;
    outside[12 + 8 + 4] = char(50);  // the second cell's length runs past the text
    EXPECT_TRUE(QueryResult::Unpack(outside).empty());
    std::string huge = block;
    huge[0] = huge[1] = huge[2] = huge[3] = char(0xFF);  // more cells than the block could hold
    EXPECT_TRUE(QueryResult::Unpack(huge).empty());
}

// An array read where its block is keeps the block while it or a copy needs it, and a
// copy that is changed takes its own texts, leaving the others as they were.
TEST(PackedArray, AnAdoptedBlockLivesAsLongAsItsArrays) {
    QueryResult array(2, 1);
    array.Set(0, 0, "one");
    array.Set(1, 0, "two");
    // Room for a block at an even and at an odd address (the odd one is copied).
    for (size_t shift : {size_t(0), size_t(1)}) {
        SCOPED_TRACE(shift);
        auto buffer = std::make_shared<std::vector<char>>(array.PackedSize() + 8);
        char* start = buffer->data() + (8 - reinterpret_cast<uintptr_t>(buffer->data()) % 8) % 8 + shift;
        array.PackInto(start);
        std::weak_ptr<std::vector<char>> alive = buffer;
        QueryResult adopted = QueryResult::Adopt(std::shared_ptr<const char>(buffer, start), array.PackedSize());
        buffer.reset();
        EXPECT_EQ(alive.expired(), shift == 1);  // kept only when read in place
        QueryResult copy = adopted;
        adopted = QueryResult();
        EXPECT_EQ(copy, array);
        QueryResult changed = copy;
        changed.Set(1, 0, "three");
        changed.ResizeRows(2);
        EXPECT_EQ(copy(1, 0), "two");
        EXPECT_EQ(changed(0, 0), "one");
        EXPECT_EQ(changed(1, 0), "three");
        EXPECT_EQ(changed(1, 1), "");
        copy = QueryResult();
        EXPECT_TRUE(alive.expired());
    }
}

}  // namespace
}  // namespace dbtest
