// Windows bitmap (DIB) files decoded into packed 24-bit RGB rows, bottom row first.
#pragma once

// Allocated with malloc; the caller frees pixels, then the record, with free.
struct DibImage {
    int width;
    int height;
    unsigned char* pixels;  // width * height * 3 bytes: red, green, blue; bottom row first
};

// Null on any failure, after one message box (caption "Error") that says why.
DibImage* LoadDibImage(const char* fileName);
