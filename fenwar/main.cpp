// Entry of the game (placeholder until the frame loop lands).
int main() { return 0; }
