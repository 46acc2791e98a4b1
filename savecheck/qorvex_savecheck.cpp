// qorvex_savecheck <save> <template>
//
// Prints "version <n>" and exits 0 when the game may open the save; otherwise prints the reason on one
// line and exits 1 (2 for a wrong call).

#include <cstdio>
#include <string>

#include "Qorvex6engine.h"

namespace {

// One line of text: line breaks of an engine message become spaces.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: qorvex_savecheck <save> <template>\n", stdout);
    return 2;
  }
  const Qorvex6::qxSaveCheck check = Qorvex6::checkSaveFile(argv[1], argv[2]);
  if (!check.fault.empty()) {
    std::printf("%s\n", oneLine(check.fault).c_str());
    return 1;
  }
  std::printf("version %d\n", check.version);
  return 0;
}
