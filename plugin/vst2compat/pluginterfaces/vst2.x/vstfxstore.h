#pragma once

// The chunk-bank record of the VST 2 preset file format (".fxb"), as far as the VST3
// wrapper needs it to read and write VST 2 compatible state. Our own declaration of the
// publicly documented layout: all fields are big-endian 32-bit integers on disk. The
// wrapper includes this file inside its own namespace, so it must not include anything.

// Chunk identifiers, four characters read as one big-endian integer.
enum
{
    cMagic = 0x43636e4b,        // 'CcnK': every preset or bank chunk starts with it
    chunkBankMagic = 0x46424368 // 'FBCh': a bank whose content is one opaque chunk
};

// A bank whose content is one opaque chunk: a 160-byte header, then the chunk's bytes.
struct fxBank
{
    int chunkMagic;   // cMagic
    int byteSize;     // size of this chunk, without chunkMagic and byteSize
    int fxMagic;      // chunkBankMagic for an opaque chunk
    int version;      // format version, 1 or 2
    int fxID;         // the plug-in's unique ID
    int fxVersion;    // the plug-in's version
    int numPrograms;  // number of programs
    char future[128]; // reserved, zero

    union
    {
        struct
        {
            int size;      // chunk size in bytes
            char chunk[1]; // the chunk's first byte; the rest follow
        } data;
    } content;
};
