// The updater program. It takes its five arguments from the trainer; until it can
// install updates it does nothing and reports success.
int main(int, char *[])
{
    return 0;
}
