#include "history/PageTextCodec.h"

#include "lists/EncodingConvert.h"

namespace fern {

PageTextCodec MakePageTextCodec() {
    PageTextCodec codec;
    codec.detect = [](std::string_view bytes) {
        EncodingConversionContext context;
        return ChooseConversionCode(bytes.data(), bytes.size(), context);
    };
    codec.decode = [](std::string_view bytes, int code) { return ConvertCodeToShiftJis(bytes, code); };
    return codec;
}

}  // namespace fern
