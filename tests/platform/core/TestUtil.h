// Helpers shared by the core tests.
#pragma once
#include <string>

#include "platform/core/SysUtils.h"

namespace zk::test {

// The message of the E raised by Fn; a marker when Fn raises nothing or
// something else, so a wrong exception fails the comparison instead of the run.
template <class E = Exception, class F>
std::string MessageOf(F&& Fn) {
    try {
        Fn();
    } catch (const E& Ex) {
        return Ex.Message();
    } catch (const std::exception& Ex) {
        return std::string("<other exception: ") + Ex.what() + ">";
    }
    return "<no exception>";
}

}  // namespace zk::test
