#include "server/net/console_log.h"

#include "server/net/time_stamp.h"

#include <iconv.h>

#include <cstdio>
#include <string>

namespace lobby_server {
namespace {

// Linux terminals and log files read UTF-8.
std::string Utf8Of(std::string_view cp949) {
    static iconv_t converter = iconv_open("UTF-8", "CP949");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(cp949);
    std::string in(cp949);
    std::string out(in.size() * 3 / 2 + 4, '\0');
    char* from = in.data();
    std::size_t fromLeft = in.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    while (fromLeft > 0) {
        if (iconv(converter, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) break;
        // A byte that is no CP949 shows as '?' instead of ending the line.
        if (toLeft == 0) break;
        *to++ = '?';
        --toLeft;
        ++from;
        --fromLeft;
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    out.resize(out.size() - toLeft);
    return out;
}

} // namespace

void WriteLogLine(std::string_view line) {
    std::printf("%s %s\n", TimeStamp().c_str(), Utf8Of(line).c_str());
    std::fflush(stdout);
}

} // namespace lobby_server
