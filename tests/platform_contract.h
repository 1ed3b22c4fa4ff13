// Every function of the platform layer's contract, by name and address. The table is compiled
// into one test against each backend (that backend's own, and the null backend's), so a function
// that a backend lacks a body for is a link error there; test_platform_contract.cpp checks that
// the table names every function that the headers of platform/ declare.
#pragma once

#include <cstddef>

using AnyFunction = void (*)();

struct ContractFunction {
    const char* name;  // as declared; a member as Class::member
    AnyFunction address;
};

// Defined with external linkage, so that the compiler keeps every address, and with it every
// reference the linker must resolve.
extern const ContractFunction contractFunctions[];
extern const std::size_t contractFunctionCount;
