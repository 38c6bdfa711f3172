#pragma once

// The AISLP communication library as a plug-in: a shared library "mvawcom.so" that
// exports one C function, MVAWCOM_ENTRY, returning this table. The object's methods
// keep the product's order; every result is 0 on success. Strings are UTF-8; what
// header and data hand out stays valid until the next call on the same object.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MVAWCOM_INTERFACE_VERSION 1
#define MVAWCOM_ENTRY "mvawcom_interface"

typedef struct MvawComObject MvawComObject;

typedef struct MvawComInterface {
    int32_t version; /* MVAWCOM_INTERFACE_VERSION */
    MvawComObject* (*create)(void);
    void (*release)(MvawComObject* self);
    /* 1: open the AISLP data at a folder */
    void (*open)(MvawComObject* self, const char* folder, int32_t* result);
    /* 2: close */
    void (*close)(MvawComObject* self);
    /* 3: header of the last document */
    void (*header)(MvawComObject* self, const char** header);
    /* 4: data of the last document (null and 0 bytes: no data) */
    void (*data)(MvawComObject* self, const unsigned char** bytes, size_t* count, int32_t* result);
    /* 5: send a request */
    void (*request)(MvawComObject* self, const char* code, int32_t* result);
} MvawComInterface;

typedef const MvawComInterface* (*MvawComEntry)(void);

#ifdef __cplusplus
}
#endif
