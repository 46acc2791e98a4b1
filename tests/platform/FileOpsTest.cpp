#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "FileOps.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;

// A save folder after a crash, every file written two minutes ago: only the temporaries of killed
// replacements may go, never a save, an export or a file that merely looks like a temporary.
TEST(RemoveStaleTemporaries, RemovesOnlyOldTemporariesOfReplacements) {
  testsupport::TempDir dir;
  const struct {
    const char* name;
    bool aged;
    bool removed;
  } files[] = {
      {".Ann.tmp-a1B2c3", true, true},      // killed while saving Ann
      {".Ann.exp.tmp-Zz9zZ9", true, true},  // killed while writing Ann's export
      {".Bob.tmp-a1B2c3", false, false},    // a save still being written
      {"Ann", true, false},                 // the save itself
      {"Ann.exp", true, false},             // its export
      {".Ann.tmp-a1B2c", true, false},      // five letters after the mark
      {".Ann.tmp-a1B2c!", true, false},     // not a letter or digit
      {"Ann.tmp-a1B2c3", true, false},      // no leading dot
      {".hidden", true, false},
  };
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const auto& f : files) {
    std::ofstream(dir.file(f.name)) << f.name;
    if (f.aged) fs::last_write_time(dir.file(f.name), old);
  }
  fs::create_directory(dir.file(".Cid.tmp-a1B2c3"));
  fs::last_write_time(dir.file(".Cid.tmp-a1B2c3"), old);

  EXPECT_EQ(platform::removeStaleTemporaries(dir.path(), std::chrono::minutes(1)), 2u);
  for (const auto& f : files)
    EXPECT_EQ(fs::exists(dir.file(f.name)), !f.removed) << f.name;
  EXPECT_TRUE(fs::is_directory(dir.file(".Cid.tmp-a1B2c3"))) << "a folder is no temporary file";
  EXPECT_EQ(platform::removeStaleTemporaries(dir.file("missing"), std::chrono::minutes(1)), 0u);
}

}  // namespace
