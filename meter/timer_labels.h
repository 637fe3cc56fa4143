#pragma once
// Texts that name the update intervals in the preferences and the meter list.
#include <string>

// Label of the drive timer's slider: seconds is a multiple of 30.
std::string driveIntervalLabel(unsigned seconds);
// Label of usage timer 1 or 2, with its access key on T (timer 1) or i (timer 2).
std::string usageIntervalLabel(int timer, unsigned seconds);
// The frequency column of the meter list.
std::string usageFrequencyText(unsigned seconds);
std::string driveFrequencyText(unsigned seconds);
