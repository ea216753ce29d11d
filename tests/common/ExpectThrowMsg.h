// EXPECT_THROW_MSG(statement, ExceptionType, text): the statement must throw ExceptionType (or
// a type derived from it) whose what() is exactly text. It fails when nothing is thrown, when
// another type is thrown, or when the text differs, naming what came instead. Messages are
// what the user reads, so the tests hold them word for word.
//
// EXPECT_THROW_MSG_AT_LINE(statement, ExceptionType, text, line) also holds the line of the
// file that a reader names with its HalosoilError.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

#define HALOSOIL_EXPECT_THROW(statement, ExceptionType, text, checkCaught)                         \
    do {                                                                                           \
        bool halosoilThrown = false;                                                               \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const ExceptionType& halosoilCaught) {                                            \
            halosoilThrown = true;                                                                 \
            EXPECT_EQ(std::string(halosoilCaught.what()), std::string(text))                       \
                << "the message of " #statement;                                                   \
            checkCaught;                                                                           \
        } catch (const std::exception& halosoilOther) {                                            \
            halosoilThrown = true;                                                                 \
            ADD_FAILURE() << #statement " threw another type than " #ExceptionType ": "            \
                          << halosoilOther.what();                                                 \
        } catch (...) {                                                                            \
            halosoilThrown = true;                                                                 \
            ADD_FAILURE() << #statement " threw something that is no std::exception";              \
        }                                                                                          \
        if (!halosoilThrown)                                                                       \
            ADD_FAILURE() << #statement " threw nothing; expected " #ExceptionType ": " << (text); \
    } while (false)

#define EXPECT_THROW_MSG(statement, ExceptionType, text) \
    HALOSOIL_EXPECT_THROW(statement, ExceptionType, text, (void)halosoilCaught)

#define EXPECT_THROW_MSG_AT_LINE(statement, ExceptionType, text, line) \
    HALOSOIL_EXPECT_THROW(statement, ExceptionType, text,              \
                          EXPECT_EQ(halosoilCaught.Line(), line) << "the line of " #statement)
