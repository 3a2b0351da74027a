#include "platform/ini/ProfileText.h"

#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

const char* EncodingName(ProfileTextForm form) {
    return form == ProfileTextForm::Utf16Le ? "UTF-16LE" : "UTF-16BE";
}

}  // namespace

ProfileText DecodeProfileText(std::string_view raw) {
    ProfileText text;
    if (raw.substr(0, 2) == kUtf16LeBom) {
        text.form = ProfileTextForm::Utf16Le;
    } else if (raw.substr(0, 2) == kUtf16BeBom) {
        text.form = ProfileTextForm::Utf16Be;
    } else {
        text.sjis = raw;
        return text;
    }
    std::string_view body = raw.substr(2);
    const char* name = EncodingName(text.form);
    std::string back;
    if (!ConvertEncoding(body, name, "CP932", text.sjis) ||
        !ConvertEncoding(text.sjis, "CP932", name, back) || back != body)
        text.lossless = false;
    return text;
}

std::string EncodeProfileText(std::string_view sjis, ProfileTextForm form) {
    if (form == ProfileTextForm::Bytes) return std::string(sjis);
    std::string out;
    ConvertEncoding(sjis, "CP932", EncodingName(form), out);
    return std::string(form == ProfileTextForm::Utf16Le ? kUtf16LeBom : kUtf16BeBom) + out;
}

}  // namespace fern
