// The database tool: reading CSV files, turning them into projects, and its commands.
#include <sstream>

#include "db_fixture.h"
#include "platform/ado/ado.h"
#include "tools/dbtool/dbtool.h"

namespace dbtest {
namespace {

using dbtool::CsvError;
using dbtool::ParseCsv;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

TEST(Csv, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    auto records = ParseCsv("\xEF\xBB\xBF" "a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\n,,\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_THAT(records[0].fields, ElementsAre("a", "b", "c"));
    EXPECT_THAT(records[1].fields, ElementsAre("x, y", "say \"hi\"", "two\r\nlines"));
    EXPECT_THAT(records[2].fields, ElementsAre("", "", ""));
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 4u);  // the record before spanned two lines
}

TEST(Csv, BlankLinesAndAMissingLastLineBreak) {
    auto records = ParseCsv("a\n\n\nb");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_THAT(records[1].fields, ElementsAre("b"));
    EXPECT_EQ(records[1].line, 4u);
    EXPECT_TRUE(ParseCsv("").empty());
}

TEST(Csv, BrokenQuotingNamesTheLine) {
    try {
        ParseCsv("a\n\"open,b\nc\n");
        FAIL() << "no failure";
    } catch (const CsvError& e) {
        EXPECT_EQ(e.Line(), 2u);
    }
    EXPECT_THROW(ParseCsv("\"closed\"x,b\n"), CsvError);
}

TEST(ProjectsCsv, ColumnsByNameInAnyOrder) {
    std::vector<std::string> warnings;
    auto projects = dbtool::ProjectsFromCsv(
        ParseCsv("ProjectID,active,[Project Name],Project Number,ProjFilePath,Notes\n"
                 "7,Yes,Hall,05-100,P:\\05-100\\,x\n"
                 "8,0,Depot,04-900,,\n"
                 "9,-1,Bridge,05-150,,\n"
                 "10,,Empty,05-160,,\n"),
        warnings);
    ASSERT_EQ(projects.size(), 4u);
    EXPECT_EQ(projects[0].number, "05-100");
    EXPECT_EQ(projects[0].name, "Hall");
    EXPECT_EQ(projects[0].folder, "P:\\05-100\\");
    EXPECT_TRUE(projects[0].active);
    EXPECT_FALSE(projects[1].active);
    EXPECT_TRUE(projects[2].active);
    EXPECT_EQ(projects[2].folder, "");
    EXPECT_FALSE(projects[3].active);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_THAT(warnings[0], HasSubstr("ProjectID"));
    EXPECT_THAT(warnings[1], HasSubstr("Notes"));
}

TEST(ProjectsCsv, WithoutActiveEveryProjectIsActive) {
    std::vector<std::string> warnings;
    auto projects = dbtool::ProjectsFromCsv(ParseCsv("Project Number,Project Name\n1,One\n"), warnings);
    ASSERT_EQ(projects.size(), 1u);
    EXPECT_TRUE(projects[0].active);
    EXPECT_THAT(warnings, ElementsAre(HasSubstr("Active")));
}

TEST(ProjectsCsv, RefusesWhatTheTableCannotTake) {
    std::vector<std::string> warnings;
    auto failure = [&](const std::string& csv) {
        try {
            dbtool::ProjectsFromCsv(ParseCsv(csv), warnings);
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no failure");
    };
    EXPECT_THAT(failure("Project Name,Active\nx,True\n"), HasSubstr("Project Number"));
    EXPECT_THAT(failure("Project Number,Project Name,Active\n1,a,True\n2,b,maybe\n"), HasSubstr("line 3"));
    EXPECT_THAT(failure("Project Number,Project Name\n1,a,extra\n"), HasSubstr("line 2"));
    EXPECT_THAT(failure("Project Number,project number,Project Name\n"), HasSubstr("named twice"));
    EXPECT_THAT(failure(""), HasSubstr("empty"));
    EXPECT_THAT(failure("Project Number,Project Name,Active\n1,a,True\n2,b\n"), HasSubstr("line 3: 2 fields, but 3"));
    EXPECT_THAT(failure("Project Number,Project Name,ProjFilePath,Active\n,,,\n"), HasSubstr("line 2: the project has no"));
    EXPECT_THAT(failure("Project Number,Project Name\n1,  \n"), HasSubstr("line 2: the project has no Project Name"));
    EXPECT_THAT(failure("Project Number,Project Name\n1,a\n2,b\0c\n"s), HasSubstr("line 3: the Project Name holds a NUL"));
}

class DbTool : public DbTest {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return dbtool::RunDbTool(args, out, err);
    }
    std::string WriteCsv(const std::string& content) {
        const auto file = machine.PrefixFolder() / "projects.csv";
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    std::ostringstream out, err;
};

TEST_F(DbTool, CreateThenImportGivesTheListTheAddInReads) {
    std::filesystem::create_directories(HostDatabase().parent_path());
    const std::string file = HostDatabase().string();
    ASSERT_EQ(Run({"create", file}), 0) << err.str();
    ASSERT_EQ(Run({"import", file,
                   WriteCsv("Project Number,Project Name,ProjFilePath,Active\r\n"
                            "05-100,\"Hall, north\",P:\\Projects\\05-100\\,True\r\n"
                            "04-900,Depot,P:\\Projects\\04-900\\,False\r\n")}),
              0)
        << err.str();
    EXPECT_THAT(out.str(), HasSubstr("Imported 2 projects"));

    QueryResult list = MakeDb()->GetRSArray(kListSql);
    ASSERT_EQ(list.Rows(), 1u);
    EXPECT_EQ(list(1, 0), "Hall, north");
    EXPECT_EQ(list(3, 0), "True");
}

TEST_F(DbTool, CreateLeavesAnExistingFileAlone) {
    std::filesystem::create_directories(HostDatabase().parent_path());
    std::ofstream(HostDatabase(), std::ios::binary) << "keep me";
    EXPECT_EQ(Run({"create", HostDatabase().string()}), 1);
    EXPECT_THAT(err.str(), HasSubstr("exists already"));
    EXPECT_EQ(ReadBytes(HostDatabase()), "keep me");
}

TEST_F(DbTool, ABadRowImportsNothing) {
    MakeDatabase({{"1", "One", "", true}});
    const std::string csv = WriteCsv("Project Number,Project Name,Active\n2,Two,True\n3,Three,perhaps\n");
    EXPECT_EQ(Run({"import", HostDatabase().string(), csv}), 1);
    EXPECT_THAT(err.str(), HasSubstr("line 3"));
    EXPECT_EQ(MakeDb()->GetRSArray("SELECT count(*) FROM Project")(0, 0), "1");
}

TEST_F(DbTool, ImportIntoSomethingElseFails) {
    std::filesystem::create_directories(HostDatabase().parent_path());
    std::ofstream(HostDatabase(), std::ios::binary) << "notes";
    EXPECT_EQ(Run({"import", HostDatabase().string(), WriteCsv("Project Number,Project Name\n1,a\n")}), 1);
    EXPECT_THAT(err.str(), HasSubstr("is a text file"));
    EXPECT_EQ(ReadBytes(HostDatabase()), "notes");
}

TEST_F(DbTool, ImportingAgainSkipsTheProjectsThereAndUpdateChangesThem) {
    MakeDatabase({{"05-100", "Hall", "", true}});
    const std::string csv = WriteCsv("Project Number,Project Name,Active\n05-100,Hall north,False\n05-200,Depot,True\n"
                                     "05-200,Depot again,True\n");
    EXPECT_EQ(Run({"import", HostDatabase().string(), csv}), 0) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("Imported 1 project into"));
    EXPECT_THAT(out.str(), HasSubstr("skipped 2 projects"));
    EXPECT_THAT(err.str(), HasSubstr("\"05-100\" is in the database already"));
    EXPECT_EQ(Run({"import", HostDatabase().string(), csv}), 0) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("Imported 0 projects"));
    EXPECT_EQ(MakeDb()->GetRSArray("SELECT count(*) FROM Project")(0, 0), "2");
    EXPECT_EQ(MakeDb()->GetRSArray("SELECT [Project Name] FROM Project WHERE [Project Number]='05-100'")(0, 0), "Hall");

    EXPECT_EQ(Run({"import", "--update", HostDatabase().string(), csv}), 0) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("updated 3 projects"));
    EXPECT_EQ(MakeDb()->GetRSArray("SELECT count(*) FROM Project")(0, 0), "2");
    EXPECT_EQ(MakeDb()->GetRSArray("SELECT [Project Name], Active FROM Project WHERE [Project Number]='05-100'")(0, 0),
              "Hall north");
}

TEST_F(DbTool, FilesThatAreNoCsvAreNamedForWhatTheyAre) {
    MakeDatabase({});
    EXPECT_EQ(Run({"create", ""}), 2);
    EXPECT_THAT(err.str(), HasSubstr("an empty name is no file name"));
    EXPECT_EQ(Run({"import", HostDatabase().string(), ""}), 2);

    EXPECT_EQ(Run({"import", HostDatabase().string(), machine.PrefixFolder().string()}), 1);
    EXPECT_THAT(err.str(), HasSubstr("is a folder, not a CSV file"));

    // Saved as "Unicode" text by a Windows program: UTF-16 with its mark.
    for (bool little : {true, false}) {
        std::string utf16 = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t c : std::u16string(u"Project Number,Project Name\r\n") +
                              (little ? u"N\u00e9-1,Caf\u00e9\r\n" : u"N\u00e9-2,Caf\u00e9\r\n"))
            utf16 += little ? std::string{char(c & 0xFF), char(c >> 8)} : std::string{char(c >> 8), char(c & 0xFF)};
        EXPECT_EQ(Run({"import", HostDatabase().string(), WriteCsv(utf16)}), 0) << err.str();
    }
    QueryResult names = MakeDb()->GetRSArray("SELECT [Project Number], [Project Name] FROM Project ORDER BY 1");
    ASSERT_EQ(names.Rows(), 2u);
    EXPECT_EQ(names(0, 0), "N\u00e9-1");
    EXPECT_EQ(names(1, 1), "Caf\u00e9");
}

TEST_F(DbTool, WrongUseShowsHowToUseIt) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_THAT(err.str(), HasSubstr("usage: quillet-dbtool create FILE"));
    EXPECT_EQ(Run({"create"}), 2);
    EXPECT_EQ(Run({"drop", "x"}), 2);
}

}  // namespace
}  // namespace dbtest
