// The program every launch in the benchmark starts: it exits at once.
int wmain()
{
    return 0;
}
