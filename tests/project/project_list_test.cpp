// The project list: reading, the project folders, the list box, new projects.
#include "project/project_list.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/text_file.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

const char* kHeader = "Folder {PROJECT_FILE_DIRECTORY},Name {project_name},{3},Lat {lat_center},";

class ProjectListTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "ExampleOne";
    fs::create_directories(dataArea() / "Projects");
  }
  void writeList(const std::string& text) { writeHostFile("Vurn/Projects/Vurn_ProjectS---Test.csv", text); }
  static std::string readErrorOf(std::string_view key) {
    try {
      bool found = false;
      ProjectList_read(key, found);
    } catch (const ErrorHalt& halt) {
      return halt.identifier + " " + halt.description;
    }
    return "no error";
  }
};

TEST_F(ProjectListTest, ReadsRowsAndStopsAtTheWantedProject) {
  writeList(std::string(kHeader) + "\r\nAlpha,\"Alpha, the first\",A1,51\r\nbeta,Beta,B2\r\nGamma,Gamma,G3\r\n");
  bool found = false;
  ProjectList_read("BETA", found);
  EXPECT_TRUE(found);
  EXPECT_EQ(std::vector<std::string>({gRun.projectName, gProject.projectName, gProject.projectCode}),
            std::vector<std::string>({"beta", "Beta", "B2"}));
  EXPECT_EQ(gProjectLists.projectCount, 2);

  ProjectList_read("", found);  // an empty key never matches: the whole list
  EXPECT_FALSE(found);
  EXPECT_EQ(gProjectLists.projectCount, 3);
  EXPECT_EQ(gRun.projectName, "Gamma");
  EXPECT_EQ(gProjectLists.directories[1], "Alpha");
  EXPECT_EQ(gProjectLists.columnCount, 4);  // the trailing empty header cell is not a column
}

TEST_F(ProjectListTest, UnknownIdentifierIsAnIssueLineBeforeTheError) {
  openLog();
  writeList("{1},{OWNER}\r\n");
  EXPECT_EQ(readErrorOf("").substr(0, 5), "RE932");
  EXPECT_EQ(gRun.issueCounter, 1);
  const auto lines = logLines();
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(lines[lines.size() - 11].rfind(std::string(21, ' ') + " ---> Getting columns from", 0), 0u);
}

TEST_F(ProjectListTest, FieldsByNumberOrKeyAndReset) {
  for (const auto& [name, expected] : {std::pair{"7", true}, {"11", false}, {"project_name", false}, {"", false}}) {
    std::string id = name;
    bool found = !expected;
    ProjectField_assign(id, "value", found);
    EXPECT_EQ(found, expected) << "[" << name << "]";
  }
  std::string id = " PROJECT_NAME ";
  bool found = false;
  ProjectField_assign(id, "Harbour", found);
  EXPECT_EQ(id, "PROJECT_NAME");  // the caller's identifier is trimmed
  EXPECT_EQ(gProject.projectName, "Harbour");
  id = "1";
  ProjectField_assign(id, "-5435", found);
  EXPECT_EQ(gRun.projectName, "ExampleOne");  // the marker never replaces the folder
  ProjectRecord_reset();
  EXPECT_EQ(gProject.projectName, "-5435");
  EXPECT_EQ(gRun.projectName, "ExampleOne");
}

TEST_F(ProjectListTest, ListBoxMarksProjectsWithoutFolderAndSelects) {
  writeList(std::string(kHeader) + "\r\nAlpha,A\r\nBeta,B\r\n");
  fs::create_directories(dataArea() / "Projects" / "ALPHA");
  ProjectSelector_fill();
  const Control& box = MainControl("projectS_8cbo");
  EXPECT_EQ(box.items, (std::vector<std::string>{"Alpha", "Beta  ---> See NOTE 2 "}));
  EXPECT_EQ(MainControl("ProjectDirectoryNote8lbl").caption,
            "Note 2: there is no File directory for this entry in Vurn_SoundingS---*.csv ");

  ProjectSelector_select("beta");
  EXPECT_EQ(box.selected, 1);
  EXPECT_EQ(gRun.status.main, "Selected Project= Beta");
  EXPECT_EQ(gProject.projectName, "B");
  ProjectSelector_select("nowhere");
  EXPECT_EQ(box.selected, 1);
}

TEST_F(ProjectListTest, NewProjectMakesFoldersRowAndEditableFile) {
  writeList(std::string(kHeader) + "\r\nAlpha,A");  // no line end after the last row
  HostClock_setFixed(2026, 5, 4, 0);
  bool exists = true;
  Project_make_new("  North Dike ", exists);  // typed with blanks around it
  EXPECT_FALSE(exists);
  EXPECT_TRUE(fs::is_directory(dataArea() / "Projects" / "North Dike" / "Soundings"));
  EXPECT_EQ(readHostFile(dataArea() / "Projects" / "Vurn_ProjectS---Test.csv"),
            std::string(kHeader) + "\r\nAlpha,A\r\n\"North Dike\",,,,2026-05-04,,,,\r\n");
  const std::string editable =
      readHostFile(dataArea() / "Projects" / "North Dike" / "SoundingS---North_Dike---VurnEditable---.csv");
  EXPECT_EQ(editable.rfind("header....\r\n\"SOUNDING_NAME\", \r\n\"CONE_ANET\", \r\n", 0), 0u);
  // The field table once, between the header line and the end line; a file already there is never replaced.
  EXPECT_EQ(static_cast<size_t>(std::count(editable.begin(), editable.end(), '\n')), SoundingField_table().size() + 2);
  EXPECT_EQ(editable.substr(editable.size() - 43), "\"NEW_FILL_AGE_MONTHS_AGO\", \r\n---ending---\r\n");
  EXPECT_ERROR_REPORT(MakeEditableSoundingFile("North Dike"), "WP123");
  EXPECT_EQ(MainControl("ProjectNameAndOtherInformation8lbl").caption,
            "Project name was placed into Vurn_ProjectS---Test.csv");
  // The new list reads back, and a second new project gets its own editable file.
  bool found = false;
  ProjectList_read("north dike", found);
  EXPECT_TRUE(found);
  Project_make_new("South", exists);
  EXPECT_TRUE(fs::exists(dataArea() / "Projects" / "South" / "SoundingS---South---VurnEditable---.csv"));
}

TEST_F(ProjectListTest, NewProjectErrors) {
  writeList(std::string(kHeader) + "\r\nAlpha,A\r\n");
  bool exists = false;
  Project_make_new("alpha", exists);  // listed, but its folder was missing: the row is kept as it was
  EXPECT_EQ(readHostFile(dataArea() / "Projects" / "Vurn_ProjectS---Test.csv"), std::string(kHeader) + "\r\nAlpha,A\r\n");
  EXPECT_ERROR_REPORT(Project_make_new("ALPHA", exists), "PE943");
  EXPECT_TRUE(exists);
  const auto entries = [this] { return std::distance(fs::directory_iterator(dataArea() / "Projects"), {}); };
  const auto before = entries();
  for (const char* blank : {"", "   ", " \t "}) {
    gRun.errorReported = false;
    EXPECT_ERROR_REPORT(Project_make_new(blank, exists), "we343");
  }
  EXPECT_EQ(entries(), before);  // no folder of blanks
  EXPECT_EQ(readHostFile(dataArea() / "Projects" / "Vurn_ProjectS---Test.csv"),
            std::string(kHeader) + "\r\nAlpha,A\r\n");
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(Project_make_new("..\\escape", exists), "PN901");
  EXPECT_FALSE(fs::exists(dataArea() / "escape"));

  // A row that does not reach the disk is an error, and the list only grew.
  TextWriter_failWritesOf("Vurn_ProjectS---", 8);
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(Project_make_new("Delta", exists), "MP331");
  EXPECT_EQ(readHostFile(dataArea() / "Projects" / "Vurn_ProjectS---Test.csv"), std::string(kHeader) + "\r\nAlpha,A\r\n\"Delta\",");
  TextWriter_failWritesOf("VurnEditable", 10);  // and so does the editable sounding file
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(Project_make_new("Epsilon", exists), "WP124");
  TextWriter_failWritesOf("", 0);

  // Without a list, the folders are made before the error.
  fs::remove(dataArea() / "Projects" / "Vurn_ProjectS---Test.csv");
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(Project_make_new("Gamma", exists), "MP329");
  EXPECT_TRUE(fs::is_directory(dataArea() / "Projects" / "Gamma" / "Soundings"));
}

}  // namespace
