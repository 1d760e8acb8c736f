// A library by the preview plug-in's name that lacks ShowForm.

extern "C" __attribute__((visibility("default"))) int RptPreviewVersion()
{
    return 1;
}
