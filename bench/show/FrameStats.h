// Order statistics of a set of frame times.
#pragma once
#include <vector>

// Median and 95th percentile (nearest rank); 0 for an empty set. Sorts the samples.
double Median(std::vector<double>& samples);
double Percentile95(std::vector<double>& samples);
