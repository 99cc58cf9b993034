// The running sums of one aggregated list: per group for the subtotals, per block for the
// total line.
#pragma once

#include <cstdint>
#include <string>

namespace ls::sections {

// Sums of the open wood type (HA), wood sort (HS) and grade (GKL) groups, and the keys of
// the row written last. The subtotal writers read them and reset what they have written.
struct VerdichtetSummen {
    double dKubHA = 0;
    double dKubHS = 0;
    double dKubGKL = 0;
    double dMszHA = 0;
    double dMszHS = 0;
    double dMszGKL = 0;
    double dStkHA = 0;
    double dStkHS = 0;
    double dStkGKL = 0;
    double dRmHA = 0;
    double dRmHS = 0;
    std::string sLastHA;
    std::string sLastHS;
    std::string sLastGKL;
};

// Totals of the open assortment block and the row of its column headings.
struct BlockSummen {
    double vSumStk = 0;
    double vSumKub = 0;
    double vSumRm = 0;  // stacked wood only
    double dSumMsz = 0;
    std::int32_t nStartZeile = 0;
};

}  // namespace ls::sections
