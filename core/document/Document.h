#pragma once

#include <algorithm>
#include <string>
#include <vector>

class CImage;
class Messages;

// Told when a document's title or content changed, so that its views can repaint.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    virtual void TitleChanged() = 0;
    virtual void ContentChanged() = 0;
};

// What every document has: a title its windows show, the path it was last given, the views
// that watch it, and the picture it saves.
class CDocument {
  public:
    virtual ~CDocument() = default;
    virtual CImage& Image() = 0;
    virtual const CImage& Image() const = 0;
    // Saves the picture in the type of the name's extension and counts the document as
    // unchanged; 0 without writing when the extension names no writable type or there is
    // no picture. What the writer found wrong goes to the messages.
    int OnSaveDocument(const std::string& path, Messages& messages);

    const std::string& Title() const { return title; }
    void SetTitle(const std::string& newTitle) {
        title = newTitle;
        for (DocumentObserver* observer : observers) observer->TitleChanged();
    }
    const std::string& PathName() const { return pathName; }
    void SetPathName(const std::string& path) { pathName = path; }
    void UpdateAllViews() {
        for (DocumentObserver* observer : observers) observer->ContentChanged();
    }
    // Changes since the last save, so that closing can offer to keep them.
    bool IsModified() const { return modified; }
    void SetModified(bool changed) { modified = changed; }
    void AddObserver(DocumentObserver* observer) { observers.push_back(observer); }
    void RemoveObserver(DocumentObserver* observer) { std::erase(observers, observer); }

  private:
    std::string title;
    std::string pathName;
    std::vector<DocumentObserver*> observers;
    bool modified = false;
};
