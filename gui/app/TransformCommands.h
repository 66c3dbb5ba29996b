#pragma once

#include <functional>
#include <string>

#include "gui/app/JobControl.h"
#include "ports/Documents.h"
#include "settings/AppSettings.h"
#include "transforms/XformCommands.h"

class CImageDoc;
class CMosaDoc;
class CommandDialogs;

// The "&Xform" and "&Batch Xform" commands and "&Map fisheye": each asks its questions in
// order (input, parameters, output) and hands the answers to its job.
class TransformCommands {
  public:
    TransformCommands(CommandDialogs& dialogs, JobPorts& ports, AppSettings& settings,
                      JobControl& jobs)
        : dialogs(dialogs), ports(ports), settings(settings), jobs(jobs) {}

    void OnXform(XformKind kind);
    void OnHammerAitoff();
    void OnOffMapColor();
    void OnBatchXform(XformKind kind);
    void OnBatchFisheye();
    void OnMapFisheye(CMosaDoc& document);
    // Told of each picture a command opens in a window (for the recent-file list).
    void SetPictureOpened(std::function<void(const std::string&)> told) {
        pictureOpened = std::move(told);
    }

  private:
    // Opens the command's input picture in a window and tells of it.
    CImageDoc* OpenInput(const std::string& path);
    bool EditParameters(XformKind kind, XformSettings& xform);
    // A writable output name, asked again while the name's extension is not one.
    bool ChooseOutputName(std::string& name);
    // One file of a sequence, which must have members; answers its name.
    bool ChooseSequenceFile(std::string& frameFile);

    CommandDialogs& dialogs;
    JobPorts& ports;
    AppSettings& settings;
    JobControl& jobs;
    std::function<void(const std::string&)> pictureOpened;
};
