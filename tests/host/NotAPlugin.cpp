// A loadable library without a VST entry point.
int ofcNotAPlugin()
{
    return 0;
}
