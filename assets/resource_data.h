#pragma once

#include <cstddef>
#include <span>

// The bytes of an RCDATA resource of the running executable; empty if it is missing.
// Resources stay mapped for the life of the process.
std::span<const std::byte> ResourceBytes(int id);
