#pragma once

#include <memory>
#include <vector>

#include "document/ImageDoc.h"
#include "mapdoc/MosaDoc.h"
#include "ports/Documents.h"

// Documents of a run without windows: kept until closed or until the run ends. A map
// document without pending parameters takes those a new document starts with.
class HeadlessDocuments : public Documents {
  public:
    explicit HeadlessDocuments(Messages& messages) : messages(messages) {}

    CImageDoc* NewImageDocument() override;
    CMosaDoc* NewMapDocument(const PanSettings* pending) override;
    void CloseDocument(CDocument* document) override;
    size_t OpenCount() const { return documents.size(); }

  private:
    Messages& messages;
    std::vector<std::unique_ptr<CDocument>> documents;
};
