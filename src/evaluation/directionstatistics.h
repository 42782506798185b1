#ifndef VANTREL_SRC_EVALUATION_DIRECTIONSTATISTICS_H
#define VANTREL_SRC_EVALUATION_DIRECTIONSTATISTICS_H

#include "src/evaluation/targetfigures.h"

#include <vector>

// The runs of a positioning measurement as its evaluations take them, and their statistics
// per target in each direction.

// Targets are matched by place in the run: a run shorter than the longest cannot reach every
// target and is left out. The others go up or down as the machine moved.
struct TDirectionRuns
{
    std::vector<double> Positions; // one per target, those of the first run taken
    std::vector<const TLaserRun*> Up;
    std::vector<const TLaserRun*> Down;
    int Left_Out = 0;
};

// The mean and the standard deviation (with n - 1; undefined for fewer than two runs) of one
// direction's runs at each target; both undefined without a run.
struct TDirectionStatistics
{
    TSeries Mean;
    TSeries S;
};

struct TPositioningStatistics
{
    TDirectionRuns Runs;
    TDirectionStatistics Up;
    TDirectionStatistics Down;
};

// The runs of the section of the file, which must outlive the result, and their statistics.
TPositioningStatistics Positioning_Statistics(const TLaserFile& file, int section);
// An evaluation of the section with its heading, its targets' positions and what the
// positioning evaluations count: "targets", "runs up", "runs down", "runs left out".
TEvaluation Positioning_Evaluation(const TLaserFile& file, int section, const char* name,
                                   const char* title, const TDirectionRuns& runs);

#endif
