#pragma once

#include <string>

// Int-sized, so that a dialog's "nothing chosen" (-1) and numbers from outside are values
// the fields can hold.
enum SamplingMode : int { kNoAA = 0, kSubsample5 = 1, kEwa = 2 };
enum PolarFormat : int { kAllSky = 0, kDomeMaster = 1 };
enum FiveViewOutputFormat : int { kOutputJpeg = 0, kOutputBmp = 1, kOutputTga = 2 };

// The "5 View Polar" parameters; the dialog and the command line fill the same record.
struct FiveViewSettings {
    SamplingMode samplingMode = kNoAA;
    std::string backFile;
    std::string frontFile;
    std::string leftFile;
    std::string rightFile;
    std::string topFile;
    int square = 1;
    int height = 2200;
    int width = 2200;
    FiveViewOutputFormat outputFormat = kOutputTga;
    std::string baseName;
    PolarFormat polarFormat = kAllSky;
    int sameSize = 1;
    std::string directory;
    double polarSweep = 180.0;
    int frameRange = 0;  // 1: only firstFrame..lastFrame
    int inputKind = 1;   // 0: single frame, 1: sequence
    int lastFrame = 99999;
    int firstFrame = 0;
    int halfPans = 0;
    int crop = 0;
};
