#pragma once
// Time-stamp text used in generated file names, e.g.
// "2026-12-06(日)11-30-05-42": local date, weekday kanji, time, milliseconds.
#include <ctime>
#include <string>

namespace fern {

std::string TimeStampText(const std::tm& local, int milliseconds);
std::string TimeStampTextNow();

}  // namespace fern
