// Files that are not a sound project database: opening fails with a description of
// what the file is, nothing crashes, and the file is left exactly as it was.
#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_internals.h"

namespace dbtest {
namespace {

using namespace platform::ado;
using namespace dbtool;
using platform::toolkit::vbOK;

class BadFiles : public ProviderTest {
protected:
    void SetUp() override {
        ProviderTest::SetUp();
        std::filesystem::create_directories(HostDatabase().parent_path());
    }

    void Put(const std::string& bytes) {
        std::ofstream out(HostDatabase(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // Opening must fail with the provider's number; returns the description.
    std::string OpenFailure() {
        const std::string before = ReadBytes(HostDatabase());
        ProviderConnection conn;
        std::string description;
        try {
            conn.Open(kJetString);
            ADD_FAILURE() << "the file opened";
        } catch (const platform::ErrorInfo& e) {
            EXPECT_EQ(e.Number, adoerr::ProviderFailure);
            description = e.Description;
        }
        EXPECT_EQ(conn.State(), adStateClosed);
        EXPECT_EQ(ReadBytes(HostDatabase()), before) << "the file was changed";
        EXPECT_FALSE(std::filesystem::exists(HostDatabase().string() + "-journal"));
        return description;
    }

    // A sound database of some pages, as bytes.
    std::string SoundDatabaseBytes() {
        std::vector<ProjectRecord> many;
        for (int i = 0; i < 300; ++i)
            many.push_back({"N" + std::to_string(i), std::string(100, 'x'), std::string(100, 'y'), true});
        const auto scratch = HostDatabase().parent_path() / "scratch.mdb";
        CreateProjectDatabase(scratch);
        AddProjects(scratch, many);
        std::string bytes = ReadBytes(scratch);
        std::filesystem::remove(scratch);
        return bytes;
    }
};

TEST_P(BadFiles, AnAccessFileIsRecognisedAndConversionIsExplained) {
    std::string jet(4096, '\0');
    jet.replace(0, 4, std::string("\x00\x01\x00\x00", 4));
    jet.replace(4, 15, "Standard Jet DB");
    Put(jet);
    const std::string description = OpenFailure();
    EXPECT_THAT(description, ::testing::StartsWith("The file 'C:\\Data\\Quillet.mdb' is a Microsoft Access database "
                                                   "(Jet format)."));
    EXPECT_THAT(description, ::testing::HasSubstr("quillet-dbtool import FILE CSV"));

    jet.replace(4, 15, "Standard ACE DB");
    Put(jet);
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("Microsoft Access database (ACE format)"));
}

TEST_P(BadFiles, TextAndOtherFiles) {
    Put("Project Number,Project Name\r\n05-100,Hall\r\n");
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("is a text file, not a project database"));
    Put(std::string("\x7F" "ELF\x02\x01\x01\x00\x00\x00", 10) + std::string(200, '\x01'));
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("is not a project database (its contents are of an unknown kind)"));
}

TEST_P(BadFiles, AnEmptyFileIsNotTurnedIntoADatabase) {
    Put("");
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("is empty (0 bytes): it is not a project database"));
    EXPECT_EQ(std::filesystem::file_size(HostDatabase()), 0u);
}

TEST_P(BadFiles, ADatabaseCutShort) {
    const std::string sound = SoundDatabaseBytes();
    ASSERT_GT(sound.size(), 8u * 4096u);
    Put(sound.substr(0, sound.size() / 2));
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("is a damaged project database"));
    Put(sound.substr(0, 60));
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("cut short inside its header"));
    Put(sound.substr(0, 1000));
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("cut short inside its first page"));
}

TEST_P(BadFiles, ADatabaseWithADamagedHeaderOrSchema) {
    const std::string sound = SoundDatabaseBytes();
    std::string badPageSize = sound;
    badPageSize[16] = 0x03;  // 0x0300 is no power of two
    Put(badPageSize);
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("impossible page size"));

    // The schema lives on the first page, after the 100-byte header.
    std::string scrambled = sound;
    for (size_t i = 100; i < 4096; ++i) scrambled[i] = char(i * 7 + 3);
    Put(scrambled);
    EXPECT_THAT(OpenFailure(), ::testing::HasSubstr("is a damaged project database"));
}

TEST_P(BadFiles, ASoundCopyOpens) {
    Put(SoundDatabaseBytes());
    ProviderConnection conn;
    conn.Open(kJetString);
    EXPECT_EQ(conn.Execute("SELECT count(*) FROM Project")->Fields().Item(0).Value().ToText(), "300");
}

TEST_P(BadFiles, AFolderInPlaceOfTheFile) {
    std::filesystem::create_directories(HostDatabase());
    ProviderConnection conn;
    try {
        conn.Open(kJetString);
        FAIL() << "a folder opened";
    } catch (const platform::ErrorInfo& e) {
        EXPECT_THAT(e.Description, ::testing::HasSubstr("cannot open the file 'C:\\Data\\Quillet.mdb'"));
    }
}

TEST_P(BadFiles, TheDatabaseObjectReportsItOnceAndQueriesGiveNothing) {
    Put("just some notes\n");
    auto db = MakeDb();
    machine.Person().ExpectMsgBox(" Error", vbOK);
    EXPECT_TRUE(db->GetRSArray(kListSql).empty());
    ASSERT_EQ(machine.Person().Seen().size(), 1u);
    EXPECT_THAT(machine.Person().Seen()[0].text,
                ::testing::StartsWith("Error -2147467259: The file 'C:\\Data\\Quillet.mdb' is a text file"));
    EXPECT_THAT(machine.Person().Seen()[0].text, ::testing::EndsWith("The error occurred in clsDbADO:OpenConn"));
    EXPECT_EQ(ReadBytes(HostDatabase()), "just some notes\n");
}

DB_TEST_BOTH_PROVIDERS(BadFiles);

}  // namespace
}  // namespace dbtest
