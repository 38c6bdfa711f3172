// A stand-in for AISLP's communication library, built with the tests. It opens any
// folder that holds a folder "Clanky" and answers a request with the bytes of the
// file "Clanky/<request>.txt" followed by a terminating 0 byte. Every call is
// appended to "calls.log" in the opened folder.

#include "core/MvawCom.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct MvawComObject {
    std::string folder;
    std::string opened;
    std::string lastRequest;
    std::string header;
    std::vector<unsigned char> data;
    bool hasData = false;
};

namespace {

void logCall(const std::string& folder, const std::string& line) {
    if (folder.empty() || !std::filesystem::is_directory(folder))
        return;
    std::ofstream(std::filesystem::path(folder) / "calls.log", std::ios::app) << line << '\n';
}

MvawComObject* create() {
    return new MvawComObject;
}

void release(MvawComObject* self) {
    delete self;
}

void open(MvawComObject* self, const char* folder, int32_t* result) {
    self->folder = folder ? folder : "";
    const bool ok = !self->folder.empty() &&
                    std::filesystem::is_directory(std::filesystem::path(self->folder) / "Clanky");
    self->opened = ok ? self->folder : std::string();
    logCall(self->folder, "open " + self->folder);
    *result = ok ? 0 : 1;
}

void close(MvawComObject* self) {
    logCall(self->folder, "close");
    self->opened.clear();
}

void header(MvawComObject* self, const char** header) {
    logCall(self->folder, "header");
    self->header = "AISLP " + self->lastRequest;
    *header = self->header.c_str();
}

void data(MvawComObject* self, const unsigned char** bytes, size_t* count, int32_t* result) {
    logCall(self->folder, "data");
    *bytes = self->hasData ? self->data.data() : nullptr;
    *count = self->hasData ? self->data.size() : 0;
    *result = self->hasData ? 0 : 3;
}

void request(MvawComObject* self, const char* code, int32_t* result) {
    self->lastRequest = code ? code : "";
    logCall(self->folder, "request " + self->lastRequest);
    self->hasData = false;
    if (self->opened.empty()) {
        *result = 4;
        return;
    }
    std::ifstream in(std::filesystem::path(self->opened) / "Clanky" / (self->lastRequest + ".txt"),
                     std::ios::binary);
    if (!in) {
        *result = 2;
        return;
    }
    self->data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    self->data.push_back(0);
    self->hasData = true;
    *result = 0;
}

const MvawComInterface kInterface = {
    MVAWCOM_INTERFACE_VERSION, create, release, open, close, header, data, request};

} // namespace

extern "C" __attribute__((visibility("default"))) const MvawComInterface* mvawcom_interface(void) {
    return &kInterface;
}
