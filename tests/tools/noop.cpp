// The smallest Windows program: the benchmark subtracts its start-up under Wine.
int main() { return 0; }
