// Ticks of a logarithmic axis at the powers of ten: every decade, or every n-th of them
// (n = 2, 5, 10, 20, ...) when the range spans more decades than labels fit; minor lines at
// 2..9 times each power (or at 2 and 5, or at the skipped powers) where they have room.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "appearance/label_format.h"

namespace corvane {

// The decades between labelled powers, 1 2 5 10 20 ... 1000; index past the end: 0.
int DecadeStep(std::size_t index);

// How many powers of ten lie in [lo, hi] (0 < lo <= hi).
int PowersOfTenWithin(double lo, double hi);

// The powers 10^(k * step) in [lo, hi], ascending; false (out cleared) past `most`.
bool DecadeTicks(int step, double lo, double hi, std::size_t most, std::vector<double>* out);

// Minor lines in [lo, hi] for a decade step over an axis of `pixelsPerDecade`: 2..9 times
// each power when the closest pair (9 and 10) is 3 pixels apart, 2 and 5 when those are,
// and for steps over one decade the powers between the labelled ones. None of them lies on
// a power the step labels.
void DecadeMinorTicks(int step, double lo, double hi, double pixelsPerDecade,
                      std::vector<double>* out);

// Labels of powers of ten: "0.001" .. "1000000" when every one lies in 1e-4 .. 1e6,
// otherwise "1E-05", "1E+07" for all of them; through `format` when there is one.
std::vector<std::string> DecadeLabels(const std::vector<double>& powers, const LabelFormat* format);

// [lo, hi] widened outward to powers 10^(k * step), within the doubles.
void WidenToDecades(int step, double* lo, double* hi);

}  // namespace corvane
