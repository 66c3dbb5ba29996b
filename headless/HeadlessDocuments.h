#pragma once

#include <memory>
#include <vector>

#include "document/Document.h"
#include "ports/Documents.h"

// Documents of a run without windows: kept until closed or until the run ends.
class HeadlessDocuments : public Documents {
  public:
    void Adopt(std::unique_ptr<CDocument> document) override;
    void CloseDocument(CDocument* document) override;
    size_t OpenCount() const { return documents.size(); }

  private:
    std::vector<std::unique_ptr<CDocument>> documents;
};
