#include "TestDatabase.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "DbConnection.h"
#include "FileOps.h"

namespace testsupport {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qorvex-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path templateFile() {
  return QORVEX_TEMPLATE_FILE;
}

std::filesystem::path saveCheckerProgram() {
  return QORVEX_SAVE_CHECKER;
}

std::filesystem::path gameProgram() {
  return QORVEX_GAME;
}

std::string readBytes(const std::filesystem::path& file) {
  std::string bytes;
  std::error_code ec;
  platform::readFile(file, std::size_t{1} << 26, bytes, ec);
  return bytes;
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string dataScript(std::string_view name) {
  const std::filesystem::path file = std::filesystem::path(QORVEX_DATA_DIR) / name;
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void createGameDatabase(const std::filesystem::path& file, std::string_view fixtureSql) {
  platform::DbConnection::create(file, kPassword);
  platform::DbConnection db;
  db.open(file, kPassword);
  db.executeScript(dataScript("schema.sql"));
  if (!fixtureSql.empty()) db.executeScript(fixtureSql);
}

void copyTemplate(const std::filesystem::path& file) {
  std::filesystem::copy_file(templateFile(), file, std::filesystem::copy_options::overwrite_existing);
}

}  // namespace testsupport
