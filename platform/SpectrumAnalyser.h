// Magnitude spectrum of a mono block: Hann window, 1024-point real FFT, scaled so a full-scale
// sine reads about 1.0 in its bin, clamped to 0..1. Bin k covers about k x 43 Hz at 44100 Hz.
#pragma once
#include "platform/MusicClock.h"

struct SpectrumAnalyser;

// Everything the analysis needs is allocated here, once.
SpectrumAnalyser* CreateSpectrumAnalyser();
void DestroySpectrumAnalyser(SpectrumAnalyser* analyser);

void AnalyseSpectrum(SpectrumAnalyser& analyser, const float mono[kSpectrumWindow],
                     float magnitudes[kSpectrumBins]);
