// Fills a running game with a sample of everything the pages show: holdings in every state, wishlist
// stocks, belongings, unread messages, exchange-rate days, passed milestones and lifetime records. Used by
// the screenshot tool, the benchmarks and the window tests.

#pragma once

#include <string>

#include "Qorvex6class.h"

namespace sample {

struct SampleSize {
  int holdings = 8;
  int wishlist = 4;
  int belongings = 3;
  int unreadMessages = 3;
  int rateDays = 12;
  int milestones = 4;
  bool records = true;
};

// Writes the sample into the open game in one transaction and reloads the profile; false when a write
// failed, naming the first failed write in `failure`. Holdings cycle through the profit levels; with four or
// more, one stock each is halted, suspended and ex-dividend.
bool fillSampleGame(Qorvex6::QorvexCore& core, const SampleSize& size, std::string* failure = nullptr);

}  // namespace sample
