#ifndef VANTREL_SRC_OUTPUT_PNGENCODER_H
#define VANTREL_SRC_OUTPUT_PNGENCODER_H

#include <QByteArray>
#include <QImage>
#include <QSize>

// The top left `size` pixels of an opaque image (QImage::Format_RGB32, at least `size` large)
// as the bytes of a PNG file of 8-bit RGB pixels, with the image's resolution. Made for the
// large plain areas and few colours of a graph: fast, and still compact.
QByteArray Encode_Png(const QImage& image, QSize size);

#endif
