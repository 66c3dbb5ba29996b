#pragma once

#include <string>

// Told when a document's title or content changed, so that its views can repaint.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void TitleChanged() = 0;
    virtual void ContentChanged() = 0;
};

// What every document has: a title its windows show, the path it was last given, and the
// views that watch it.
class CDocument {
public:
    virtual ~CDocument() = default;
    const std::string& Title() const { return title; }
    void SetTitle(const std::string& newTitle) {
        title = newTitle;
        if (observer) observer->TitleChanged();
    }
    const std::string& PathName() const { return pathName; }
    void SetPathName(const std::string& path) { pathName = path; }
    void UpdateAllViews() {
        if (observer) observer->ContentChanged();
    }
    void SetObserver(DocumentObserver* newObserver) { observer = newObserver; }

private:
    std::string title;
    std::string pathName;
    DocumentObserver* observer = nullptr;
};
