// Builds an encrypted game database from SQL scripts: make_template <output> <password> <script>...
// The output is written to a temporary name and renamed into place, so a failed build leaves no file.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "DbConnection.h"
#include "DbError.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: make_template <output> <password> <script>...\n";
    return 2;
  }
  const std::filesystem::path output = argv[1];
  const std::string password = argv[2];
  std::filesystem::path temporary = output;
  temporary += ".building";
  std::error_code ec;
  std::filesystem::remove(temporary, ec);
  try {
    platform::DbConnection::create(temporary, password);
    platform::DbConnection db;
    db.open(temporary, password);
    for (int i = 3; i < argc; ++i) {
      std::ifstream in(argv[i], std::ios::binary);
      if (!in) {
        std::cerr << "make_template: cannot read " << argv[i] << "\n";
        db.close();
        std::filesystem::remove(temporary, ec);
        return 1;
      }
      std::ostringstream text;
      text << in.rdbuf();
      db.executeScript("BEGIN;\n" + text.str() + "\nCOMMIT;");
    }
    db.close();
    std::filesystem::rename(temporary, output);
  } catch (const std::exception& e) {
    std::cerr << "make_template: " << e.what() << "\n";
    std::filesystem::remove(temporary, ec);
    return 1;
  }
  return 0;
}
