#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder under the system temp folder, removed with everything in it when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline constexpr const char* kPassword = "_vexlim_";

// The built template database, as the game ships it.
std::filesystem::path templateFile();

// The built save checker, which a game core needs to load a save.
std::filesystem::path saveCheckerProgram();

// The built game executable; a test that runs it depends on its target.
std::filesystem::path gameProgram();

// The whole of a file's bytes (empty when it cannot be read), and a file made of `bytes`.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

// The text of a file of the data folder (schema.sql, seed.sql).
std::string dataScript(std::string_view name);

// A new encrypted database at `file` with the game's schema and then `fixtureSql` run on it.
void createGameDatabase(const std::filesystem::path& file, std::string_view fixtureSql = {});

// A copy of the built template at `file`.
void copyTemplate(const std::filesystem::path& file);

}  // namespace testsupport
