#pragma once
// Errors of the data store beyond the operating system's own, and the one table that gives the Japanese
// sentence shown as a message body for any error that can happen here.

#include <string>
#include <system_error>

namespace kakutei {

enum class StoreErrc {
    fileNumberOverflow = 1, // PersonCode × 10 + k does not fit a 16-bit number
    endOfFile,              // the file ends before the value a reader wants
    typeMismatch,           // a number was expected and the line holds none
    lineTooLong,            // a line far longer than anything the program writes
    unstorableText,         // a text that CP932 cannot hold, or that holds a double quote
    overflow,               // a number typed where it does not fit (a code above 32767)
    notRegularFile,         // a folder, a pipe or a device stands where a record should be
    cutShort,               // the last value read has no line end: the file was cut inside it
    notText,                // a text was expected and the line holds no quoted text
    notCp932,               // a text holds bytes that are no CP932 characters
    outOfRange,             // a number beyond its field's range
    notWhole,               // a fraction where a whole number belongs
    badFiller,              // a filler line is missing or holds something else
    extraData,              // more lines after the end of the record
    recordShape,            // a record put together with values of the wrong kinds (a program error)
    codeMismatch,           // a registration holds another code than its file name
    damagedFile,            // a file that cannot be read is not written over
    insideDataFolder,       // an output file (a PDF, a CSV) asked for inside the data folder
};

const std::error_category& storeCategory();
std::error_code make_error_code(StoreErrc e);

// The system's description of the error, in Japanese.
std::string describeError(std::error_code error);

} // namespace kakutei

template <> struct std::is_error_code_enum<kakutei::StoreErrc> : std::true_type {};
