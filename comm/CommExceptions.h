#pragma once
// Port configuration failures. They carry only their message and reach the program's general
// error report; communication failures are never exceptions.

#include <stdexcept>
#include <string>

class ECommInitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ECommHandleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
