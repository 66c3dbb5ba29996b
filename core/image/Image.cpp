#include "image/Image.h"

#include "util/AtomicFile.h"

int CImage::SetFileType(const std::string& name, int type) {
    impl.reset();
    impl = MakeFormatObject(name, type);
    if (!impl) return 0;
    // The handle's name and type follow its format object.
    fileName = name;
    fileType = type;
    return 1;
}

int CImage::Create(int width, int height, int bitsPerPixel, int colourType) {
    if (!impl) SetFileType("", kTypeBmp);
    return impl->Create(width, height, bitsPerPixel, colourType);
}

int CImage::Load(const std::string& name, int type) {
    const int oldType = fileType;
    fileName = name;
    if (type == kTypeFromExtension) type = FileTypeOfName(fileName);
    fileType = type;
    if (!impl || type != oldType) {
        if (!SetFileType(fileName, type)) return 0;
    }
    impl->ClearProblems();
    return impl->Read(fileName);
}

const std::vector<std::string>& CImage::Problems() const {
    static const std::vector<std::string> none;
    return impl ? impl->Problems() : none;
}

int CImage::SaveAs(const std::string& name, int type) {
    if (!impl) return 0;
    const int oldType = fileType;
    const std::string oldName = fileName;
    fileName = name;
    if (type == kTypeFromExtension) type = FileTypeOfName(fileName);
    fileType = type;
    if (type != oldType) {
        std::unique_ptr<CImageImpl> old = std::move(impl);
        if (!SetFileType(fileName, type)) {
            // The picture keeps its format object, so it keeps the name and type that go with it.
            impl = std::move(old);
            fileType = oldType;
            fileName = oldName;
            return 0;
        }
        impl->TakeOver(*old);
    }
    // The format object writes a temporary that replaces the file only once it is complete.
    impl->ClearProblems();
    AtomicFile file(fileName);
    if (!impl->Write(file.WriteName())) return 0;
    return file.Commit() ? 1 : 0;
}

void CImage::ReadRowRGB(int y, uint8_t* rgb) const {
    for (int x = 0; x < Width(); ++x, rgb += 3) {
        rgb[0] = rgb[1] = rgb[2] = 0;
        GetRGB(x, y, rgb[0], rgb[1], rgb[2]);
    }
}
