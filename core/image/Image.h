#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "image/ImageFileType.h"
#include "image/ImageImpl.h"

// The picture handle used everywhere: a file name, a file type and the format object that
// holds the pixels. Pixel operations forward to the format object and need one (after a
// successful Load or Create); HasImage, GetImpl, SaveAs, Create and SetFileType do not.
class CImage {
  public:
    CImage() = default;
    CImage(const std::string& name, int type) { Load(name, type); }
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    CImage(CImage&&) = default;
    CImage& operator=(CImage&&) = default;

    // Answers the reader's result; callers test HasImage.
    int Load(const std::string& name, int type = kTypeFromExtension);
    int SaveAs(const std::string& name, int type = kTypeFromExtension);
    // Makes an empty format object for the type; 0 (and no format object) for a type that
    // has none.
    int SetFileType(const std::string& name, int type);
    // Without a format object a BMP one is made first.
    int Create(int width, int height, int bitsPerPixel, int colourType = -1);

    int HasImage() const { return impl && impl->HasDib() ? 1 : 0; }
    CImageImpl* GetImpl() { return impl.get(); }
    const CImageImpl* GetImpl() const { return impl.get(); }
    int FileType() const { return fileType; }
    const std::string& FileName() const { return fileName; }

    int Fill(int red, int green, int blue, int alpha) {
        return impl->Fill(red, green, blue, alpha);
    }
    int AllocAlpha() { return impl->AllocAlpha(); }
    int RowBytes() const { return impl->RowBytes(); }
    int Width() const { return impl->Width(); }
    int Height() const { return impl->Height(); }
    int BitsPerPixel() const { return impl->BitsPerPixel(); }
    int ColourType() const { return impl->ColourType(); }
    int InBounds(int x, int y) const { return impl->InBounds(x, y); }
    int TransparentIndex() const { return impl->TransparentIndex(); }
    // Rows the file held of those it declared; equal for a complete file.
    int RowsRead() const { return impl->RowsRead(); }
    int RowsDeclared() const { return impl->RowsDeclared(); }
    bool Truncated() const { return impl && impl->Truncated(); }
    // What the last Load or SaveAs found wrong, for the caller to report.
    const std::vector<std::string>& Problems() const;

    int GetIndex(int x, int y) const { return impl->GetIndex(x, y); }
    int GetAlpha(int x, int y) const { return impl->GetAlpha(x, y); }
    int GetRGB(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const {
        return impl->GetRGB(x, y, r, g, b);
    }
    int GetRGBA(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a) const {
        return impl->GetRGBA(x, y, r, g, b, a);
    }
    int GetRGBBilinear(double x, double y, uint8_t& r, uint8_t& g, uint8_t& b) const {
        return impl->GetRGBBilinear(x, y, r, g, b);
    }
    int GetRGBABilinear(double x, double y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a) const {
        return impl->GetRGBABilinear(x, y, r, g, b, a);
    }
    int SetIndex(int x, int y, int index) { return impl->SetIndex(x, y, index); }
    int SetAlpha(int x, int y, int alpha) { return impl->SetAlpha(x, y, alpha); }
    int SetRGB(int x, int y, int r, int g, int b) { return impl->SetRGB(x, y, r, g, b); }
    int SetRGBA(int x, int y, int r, int g, int b, int a) {
        return impl->SetRGBA(x, y, r, g, b, a);
    }

    int SetPaletteChannels(int count, const uint8_t* reds, const uint8_t* greens,
                           const uint8_t* blues) {
        return impl->SetPaletteChannels(count, reds, greens, blues);
    }
    int SetPaletteTriples(int count, const uint8_t* triples) {
        return impl->SetPaletteTriples(count, triples);
    }
    int SetPalette(std::unique_ptr<CPalette> palette) {
        return impl->SetPalette(std::move(palette));
    }
    const CPalette* GetPalette() const { return impl->GetPalette(); }

    uint8_t* Bits() { return impl->Bits(); }
    const uint8_t* Bits() const { return impl->Bits(); }
    uint8_t* AlphaBits() { return impl ? impl->AlphaBits() : nullptr; }
    const uint8_t* AlphaBits() const { return impl ? impl->AlphaBits() : nullptr; }

    // Row y (0 = bottom) as red, green, blue triples, for views that paint the picture.
    // Pixels without a colour read as black.
    void ReadRowRGB(int y, uint8_t* rgb) const;

  private:
    int fileType = kTypeFromExtension;
    std::string fileName;
    std::unique_ptr<CImageImpl> impl;
};
