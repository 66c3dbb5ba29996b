#pragma once

#include <memory>
#include <vector>

#include "ports/Documents.h"
#include "transforms/ImageDoc.h"

// Documents of a run without windows: kept until closed or until the run ends.
class HeadlessDocuments : public Documents {
public:
    CImageDoc* NewImageDocument() override;
    void CloseDocument(CImageDoc* document) override;
    size_t OpenCount() const { return documents.size(); }

private:
    std::vector<std::unique_ptr<CImageDoc>> documents;
};
