#include "core/cp932_codec.h"

#include <cerrno>
#include <iconv.h>

namespace kakutei::cp932_codec {
namespace {

// iconv_open loads a conversion module; one descriptor per direction serves the whole (single-threaded) run.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool convert(std::string_view& in, std::string& out) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                in = std::string_view(src, srcLeft);
                return false;
            }
        }
        in = {};
        return true;
    }

private:
    iconv_t handle_;
};

} // namespace

bool encode(std::string_view& utf8, std::string& out) {
    static Converter converter("CP932", "UTF-8");
    return converter.convert(utf8, out);
}

bool decode(std::string_view& cp932, std::string& out) {
    static Converter converter("UTF-8", "CP932");
    return converter.convert(cp932, out);
}

} // namespace kakutei::cp932_codec
