#include "app/host/class_id_text.h"
#include <cstdio>

std::string hexText(ULONG value) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%lX", static_cast<unsigned long>(value));
    return text;
}

std::string classIdText(const Class_ID& id) {
    return "(" + hexText(id.PartA()) + ", " + hexText(id.PartB()) + ")";
}
