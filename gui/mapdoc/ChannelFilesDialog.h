#pragma once

#include "gui/dialogs/RecordDialog.h"
#include "mapdoc/FourViewPan.h"

// "Channel Source Files": the four cube views of a four-view pan (single files or numbered
// sequences) and the type of the panoramas it writes.
class ChannelFilesDialog : public RecordDialog<ChannelFiles> {
  public:
    explicit ChannelFilesDialog(ChannelFiles& files, QWidget* parent = nullptr);
};
