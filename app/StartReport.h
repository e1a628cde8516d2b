#pragma once
// For measuring the start only (bench/bench_start.cpp). With
// VEMO_START_REPORT_FD=n in the environment the program writes "usable" to
// descriptor n once its event loop runs with the window up, then "rest" once
// the document has no work left (at idle or in the background), each with
// the CPU milliseconds of the window's thread so far, and quits.
// Without the variable nothing happens.

class CVemoLibraryDoc;

class CStartReport {
public:
    // Called once the window is shown, before the event loop starts.
    static void Arm(CVemoLibraryDoc* doc);
};
