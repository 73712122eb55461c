// Case-insensitive resolution and pattern listing on the host.
// (Copying over a file is in the copy modes' tests, deleting in the setup file's backups.)
#include "platform/host_paths.h"

#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

using HostPathsTest = VurnTest;

// Existing components resolve without regard to case, new ones are kept as
// written, ".." never climbs above the drive root, unmapped drives give nothing.
TEST_F(HostPathsTest, ResolutionOfEveryComponent) {
  writeHostFile("Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT", "x");
  const fs::path c = driveC();
  const struct { const char* path; fs::path expected; } cases[] = {
      {"C:\\Vurn\\Projects\\ExampleONE\\SOUNDINGS\\CPT-01.CPT", c / "Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT"},
      {"c:\\VURN\\projects\\EXAMPLEONE\\Soundings\\cpt-01.cpt", c / "Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT"},
      {"C:/Vurn/Projects/ExampleONE/soundings/CPT-01.CPT", c / "Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT"},
      {"C:\\VURN\\New Folder\\File.TXT", c / "Vurn" / "New Folder" / "File.TXT"},
      {"C:\\..\\..\\etc", c / "etc"}, {"C:\\a\\.\\b\\..\\c", c / "a" / "c"}, {"Q:\\x", {}}, {"no drive\\x", {}},
  };
  for (const auto& e : cases) EXPECT_EQ(Host_resolve(e.path), e.expected) << e.path;
  // A new folder inside existing ones of another case. (A folder whose parent is missing: in the first-use tests.)
  EXPECT_TRUE(Host_makeFolder("C:\\vurn\\Projects\\New"));
  EXPECT_TRUE(fs::is_directory(c / "Vurn" / "Projects" / "New"));
}

TEST_F(HostPathsTest, WildcardsAndListingIgnoreCase) {
  const struct { const char* pattern; const char* name; bool matches; } cases[] = {
      {"Vurn_ProjectS---*.csv", "VURN_PROJECTS---.CSV", true}, {"Vurn_ProjectS---*.csv", "Vurn_ProjectS---M.csv.bak", false},
      {"*.CPT", "cpt-01.cpt", true}, {"*.CPT", "cpt-01.cpt1", false}, {"CPT-0?.CPT", "CPT-01.CPT", true},
      {"CPT-0?.CPT", "CPT-1.CPT", false}, {"CPT-0?.CPT", "CPT-012.CPT", false}, {"*.*", "README", true},
      {"a*b*c", "aXXbYYc", true}, {"a*b*c", "aXXbYY", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Host_wildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
  for (const char* name : {"d/b.csv", "d/A.csv", "d/c.CSV", "d/a.txt"}) writeHostFile(name, "");
  fs::create_directories(driveC() / "d" / "Folder.csv");
  using Names = std::vector<std::string>;
  EXPECT_EQ(Host_list("C:\\D\\*.csv", false), (Names{"A.csv", "b.csv", "c.CSV"}));
  EXPECT_EQ(Host_list("C:\\d\\*.*", true), (Names{".", "..", "A.csv", "a.txt", "b.csv", "c.CSV", "Folder.csv"}));
  EXPECT_TRUE(Host_list("C:\\missing\\*.csv", false).empty());
  EXPECT_TRUE(Text_equalsNoCase("Soundings", "SOUNDINGS"));
  EXPECT_FALSE(Text_equalsNoCase("a_b", "a-b"));
}

}  // namespace
