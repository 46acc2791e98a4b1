#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "ChildProcess.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using testsupport::readBytes;

// Far less than forever, and room for a sanitizer build on a busy machine.
constexpr std::chrono::milliseconds kPrompt{20000};

platform::ProcessOutcome runChecker(const fs::path& save, const fs::path& templateFile) {
  return platform::runProcess(testsupport::saveCheckerProgram(), {save.string(), templateFile.string()},
                              kPrompt);
}

TEST(SaveCheck, RefusesWhatIsNotARegularFilePromptly) {
  testsupport::TempDir dir;
  const fs::path sound = dir.file("sound");
  testsupport::copyTemplate(sound);
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"a FIFO", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }},
      {"a symbolic link to a sound save", [&](const fs::path& f) { fs::create_symlink(sound, f); }},
      {"a folder", [](const fs::path& f) { fs::create_directory(f); }},
  };
  ASSERT_TRUE(runChecker(sound, testsupport::templateFile()).succeeded()) << "the sound save itself checks";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path save = dir.file(std::string("save-") + c.what);
    c.make(save);
    const platform::ProcessOutcome outcome = runChecker(save, testsupport::templateFile());
    EXPECT_EQ(outcome.kind, platform::ProcessOutcome::Exited) << outcome.describe();
    EXPECT_NE(outcome.status, 0);
    EXPECT_NE(outcome.output.find("not a regular file"), std::string::npos) << outcome.output;
  }
}

TEST(SaveCheck, LeavesTheTemplateUntouchedAndChecksAgainstAReadOnlyOne) {
  testsupport::TempDir dir;
  const fs::path save = dir.file("save");
  const fs::path model = dir.file("template");
  testsupport::copyTemplate(save);
  testsupport::copyTemplate(model);
  const fs::file_time_type longAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(model, longAgo);
  fs::permissions(model, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string bytes = readBytes(model);

  const platform::ProcessOutcome outcome = runChecker(save, model);
  EXPECT_TRUE(outcome.succeeded()) << outcome.describe() << ": " << outcome.output;
  EXPECT_EQ(outcome.output.rfind("version ", 0), 0u) << outcome.output;
  EXPECT_EQ(readBytes(model), bytes);
  EXPECT_EQ(fs::last_write_time(model), longAgo);
  EXPECT_FALSE(fs::exists(model.string() + "-journal"));
}

}  // namespace
