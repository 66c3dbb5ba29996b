#pragma once

#include <string>

#include "image/Image.h"

// Told when a document's title or picture changed, so that its views can repaint.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void TitleChanged() = 0;
    virtual void ContentChanged() = 0;
};

// A document holding one picture: the output of the transforms and the five-view job, and
// any picture the user opens.
class CImageDoc {
public:
    CImage& Image() { return image; }
    const CImage& Image() const { return image; }
    const std::string& Title() const { return title; }
    void SetTitle(const std::string& newTitle);
    const std::string& PathName() const { return pathName; }
    void SetPathName(const std::string& path) { pathName = path; }
    void UpdateAllViews();
    // Saves the picture in the type of the name's extension; 0 without writing when the
    // extension names no writable type or there is no picture.
    int OnSaveDocument(const std::string& path);
    void SetObserver(DocumentObserver* newObserver) { observer = newObserver; }

private:
    CImage image;
    std::string title;
    std::string pathName;
    DocumentObserver* observer = nullptr;
};
