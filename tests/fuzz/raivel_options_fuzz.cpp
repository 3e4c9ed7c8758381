// Feeds arbitrary command lines to raivel's options (the bytes split at each
// zero into arguments) and each argument to the window id's reader: a list
// refused leaves the options as they were, and no id read is zero.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "raivel_options.h"

namespace {

bool Same(const RaivelOptions& a, const RaivelOptions& b)
{
    return a.target == b.target && a.windowId == b.windowId &&
           a.delayMicroseconds == b.delayMicroseconds && a.showFps == b.showFps &&
           a.printFps == b.printFps && a.addToXscreensaver == b.addToXscreensaver;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args = {"raivel"};
    args.emplace_back();
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());

    // Options other than the defaults, so that a change shows.
    RaivelOptions options;
    options.target = TargetKind::WindowId;
    options.windowId = "earlier";
    options.delayMicroseconds = 123;
    const RaivelOptions earlier = options;
    if (!ParseOptions(static_cast<int>(argv.size()), argv.data(), options)) {
        if (!Same(options, earlier))
            std::abort(); // half applied
    } else if (options.addToXscreensaver && argv.size() != 2) {
        std::abort();
    }

    for (const std::string& arg : args) {
        unsigned long id = 0;
        if (ParseWindowId(arg.c_str(), id) && id == 0)
            std::abort();
    }
    return 0;
}
