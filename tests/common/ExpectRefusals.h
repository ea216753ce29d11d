// A table of what a function refuses: each thing it is given (a text unless said otherwise)
// with the message it refuses it with, held word for word as EXPECT_THROW_MSG holds one. A
// failure names what was given.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Errors.h"
#include "ExpectThrowMsg.h"

namespace halosoil::test {

template <class Given = std::string>
struct Refusal {
    Given given;
    std::string message;
};

// refuse(given) must throw a HalosoilError with the message of each refusal.
template <class Given = std::string, class Refuse>
void ExpectRefusals(const Refuse& refuse, std::initializer_list<Refusal<Given>> refusals) {
    for (const Refusal<Given>& refusal : refusals) {
        SCOPED_TRACE("given: " + testing::PrintToString(refusal.given));
        EXPECT_THROW_MSG(refuse(refusal.given), HalosoilError, refusal.message);
    }
}

}  // namespace halosoil::test
