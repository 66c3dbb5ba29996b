#pragma once

class CDocument;

// A window's view of a document.
class DocumentView {
  public:
    virtual ~DocumentView() = default;
    virtual CDocument& Document() const = 0;
};
